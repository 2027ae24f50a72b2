#include "images/Pcxctrl.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>

#include "images/PictureFormats.h"

namespace {

// Neither a BMP nor a picture of more bytes than this is built (QImage's BMP reader refuses larger ones).
constexpr std::int64_t kMaxBitmapBytes = std::int64_t{128} * 1024 * 1024;
constexpr int kPaletteMarker = 12;
constexpr int kPaletteBlock = 769;

int ReadInt16(const std::uint8_t* p)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

void Put16(std::uint8_t* p, std::uint32_t value)
{
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t value)
{
    Put16(p, value & 0xFFFF);
    Put16(p + 2, value >> 16);
}

// The row length QImage's BMP reader derives from the info header.
std::int32_t BitmapRowBytes(int width, int bitsPerPixel)
{
    return static_cast<std::int32_t>((static_cast<std::int64_t>(width) * bitsPerPixel + 31) / 32 * 4);
}

} // namespace

TPcxHeaderFields ReadPcxHeaderFields(const TPcxHeader& header)
{
    TPcxHeaderFields fields;
    fields.Manufacturer = header[0];
    fields.BitsPerPixel = header[3];
    fields.Xmin = ReadInt16(&header[4]);
    fields.Ymin = ReadInt16(&header[6]);
    fields.Xmax = ReadInt16(&header[8]);
    fields.Ymax = ReadInt16(&header[10]);
    fields.Planes = header[65];
    fields.BytesPerLine = ReadInt16(&header[66]);
    fields.PaletteInfo = ReadInt16(&header[68]);
    return fields;
}

std::vector<std::uint8_t> TDecoder::CreateBitmapInfo(TPcxInStream& input)
{
    InfoSize = static_cast<std::uint16_t>(PaletteSize() + kBmpInfoHeaderSize);
    std::vector<std::uint8_t> block(InfoSize, 0);
    FillInfoHeader(block.data());
    ReadPalette(input, block.data() + kBmpInfoHeaderSize);
    return block;
}

void TDecoder::FillInfoHeaderFor(std::uint8_t* block, int bitsPerPixel, std::uint32_t coloursUsed) const
{
    std::memset(block, 0, kBmpInfoHeaderSize);
    Put32(block, kBmpInfoHeaderSize);
    Put32(block + 4, static_cast<std::uint32_t>(Width));
    Put32(block + 8, static_cast<std::uint32_t>(Height));
    Put16(block + 12, 1);
    Put16(block + 14, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(block + 20, static_cast<std::uint32_t>(ImageSize()));
    Put32(block + 32, coloursUsed);
}

void TDecoder::FillFileHeader(std::uint8_t* fileHeader)
{
    PixelOffset = InfoSize + kBmpFileHeaderSize;
    std::memset(fileHeader, 0, kBmpFileHeaderSize);
    fileHeader[0] = 'B';
    fileHeader[1] = 'M';
    Put32(fileHeader + 2, static_cast<std::uint32_t>(ImageSize() + PixelOffset));
    Put32(fileHeader + 10, static_cast<std::uint32_t>(PixelOffset));
}

std::int64_t MinimumEncodedLineBytes(std::int64_t lineBytes)
{
    return 2 * (lineBytes / kPcxMaxRun) + std::min<std::int64_t>(lineBytes % kPcxMaxRun, 2);
}

void TDecoder::ReadSizes(TPcxInStream& input, const TPcxHeader& header, std::int64_t pixels)
{
    m_fields = ReadPcxHeaderFields(header);
    Height = m_fields.Ymax - m_fields.Ymin + 1;
    Width = m_fields.Xmax - m_fields.Xmin + 1;
    if (Width <= 0 || Height <= 0 || m_fields.BytesPerLine <= 0)
        throw TPcxError("The PCX header gives no picture size");
    if (Width > kMaxPictureSide || Height > kMaxPictureSide || pixels > kMaxBitmapBytes)
        throw TPcxError("The PCX picture is too large");
    // Refused before anything is allocated: data that cannot possibly fill the picture.
    if (input.Size() - kPcxDataOffset < Height * MinimumEncodedLineBytes(LineBytes()))
        throw TPcxError("The PCX file ends too early");
}

void TDecoder::BeginBitmap(TPcxInStream& input, const TPcxHeader& header, QByteArray& output,
                           int bitsPerPixel)
{
    const TPcxHeaderFields fields = ReadPcxHeaderFields(header);
    const std::int64_t width = std::int64_t{fields.Xmax} - fields.Xmin + 1;
    const std::int64_t height = std::int64_t{fields.Ymax} - fields.Ymin + 1;
    ReadSizes(input, header, std::max<std::int64_t>(width, 0) * std::max<std::int64_t>(height, 0));
    // The bytes per line of the file may be padded beyond the width or fall short of it; rows are laid
    // out as the BMP reader expects for the width, so the picture never shears.
    Stride = BitmapRowBytes(Width, bitsPerPixel);
    if (ImageSize() > kMaxBitmapBytes)
        throw TPcxError("The PCX picture is too large");

    const std::vector<std::uint8_t> block = CreateBitmapInfo(input);
    std::uint8_t fileHeader[kBmpFileHeaderSize];
    FillFileHeader(fileHeader);
    output = QByteArray(static_cast<qsizetype>(ImageSize() + PixelOffset), Qt::Uninitialized);
    auto* out = reinterpret_cast<std::uint8_t*>(output.data());
    std::memcpy(out, fileHeader, kBmpFileHeaderSize);
    std::memcpy(out + kBmpFileHeaderSize, block.data(), block.size());
    input.SetPosition(kPcxDataOffset);
}

std::uint8_t* TDecoder::RowAddress(QByteArray& output, int r) const
{
    return reinterpret_cast<std::uint8_t*>(output.data()) + PixelOffset +
           static_cast<std::int64_t>(r) * Stride;
}

QImage TDecoder::DecodeImage(TPcxInStream& input, const TPcxHeader& header, int factor)
{
    const TPcxHeaderFields fields = ReadPcxHeaderFields(header);
    const std::int64_t width = std::max<std::int64_t>(std::int64_t{fields.Xmax} - fields.Xmin + 1, 0);
    const std::int64_t height = std::max<std::int64_t>(std::int64_t{fields.Ymax} - fields.Ymin + 1, 0);
    factor = std::max(factor, 1);
    ReadSizes(input, header, ((width + factor - 1) / factor) * ((height + factor - 1) / factor));
    std::vector<std::uint8_t> block(static_cast<std::size_t>(PaletteSize()), 0);
    ReadPalette(input, block.data());
    QList<QRgb> colours(PaletteSize() / 4);
    for (qsizetype i = 0; i < colours.size(); ++i)
        colours[i] = qRgb(block[4 * i + 2], block[4 * i + 1], block[4 * i]);
    const int rowWidth = (Width + factor - 1) / factor;
    QImage image(rowWidth, (Height + factor - 1) / factor, QImage::Format_Indexed8);
    if (image.isNull())
        throw std::bad_alloc();
    image.setColorTable(colours);
    input.SetPosition(kPcxDataOffset);
    const int lineBytes = LineBytes();
    // A 256-colour line at full size decodes straight into its row: each byte of the picture written once.
    const bool direct = factor == 1 && lineBytes == m_fields.BytesPerLine;
    std::vector<std::uint8_t> line(direct ? 0 : static_cast<std::size_t>(lineBytes));
    for (int y = 0; y < Height; ++y) {
        const bool kept = y % factor == 0;
        std::uint8_t* row = kept ? image.scanLine(y / factor) : nullptr;
        if (direct) {
            const int keep = std::min(lineBytes, Width);
            DecodeLine(input, lineBytes, row, keep);
            std::memset(row + keep, 0, static_cast<std::size_t>(Width - keep));
            continue;
        }
        DecodeLine(input, lineBytes, line.data(), kept ? lineBytes : 0);
        if (kept)
            PutImageRow(line.data(), factor, row, rowWidth);
    }
    return image;
}

void TDecoder::FillBuffer(TPcxInStream& input)
{
    const std::int64_t n =
        input.Read(Buffer.data(), std::min<std::int64_t>(kPcxBufferSize, input.Remaining()));
    if (n <= 0)
        throw TPcxError("The PCX file ends too early");
    m_bufferFill = static_cast<std::int32_t>(n);
    BufferIndex = 0;
}

namespace {

constexpr std::uint64_t kTopBits = 0x8080808080808080u;
constexpr std::uint64_t kEveryByte = 0x0101010101010101u;

// Decodes while the buffer holds eight more bytes and the kept output room for a whole run of 63 plus
// one eight-byte store: literal stretches go eight bytes at a time, runs in eight-byte stores. Bytes a
// store writes past the stretch or run are written again by what follows before the line ends.
inline void DecodeAhead(const std::uint8_t*& p, const std::uint8_t* end, std::uint8_t*& out,
                        const std::uint8_t* outEnd)
{
    while (outEnd - out > 64 && end - p >= 9) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        // A byte is a run code when both of its top bits are set.
        const std::uint64_t codes = word & (word << 1) & kTopBits;
        const int literals = codes ? std::countr_zero(codes) / 8 : 8;
        if (literals > 0) {
            std::memcpy(out, &word, 8);
            out += literals;
            p += literals;
            continue;
        }
        const int n = p[0] - 0xC0;
        const std::uint64_t value = p[1] * kEveryByte;
        p += 2;
        for (int i = 0; i < n; i += 8)
            std::memcpy(out + i, &value, 8);
        out += n;
    }
}

} // namespace

void TDecoder::DecodeLine(TPcxInStream& input, int count, std::uint8_t* out, int keep)
{
    if (!m_primed) {
        FillBuffer(input);
        m_primed = true;
    }
    int written = 0;
    while (written < count) {
        if (BufferIndex == m_bufferFill)
            FillBuffer(input);
        const std::uint8_t* p = Buffer.data() + BufferIndex;
        const std::uint8_t* const end = Buffer.data() + m_bufferFill;
        if (keep - written > 64) {
            std::uint8_t* o = out + written;
            DecodeAhead(p, end, o, out + keep);
            written = static_cast<int>(o - out);
        }
        // One code at a time near the ends of the line and of the buffer.
        while (p < end && written < count && *p < 0xC0) {
            if (written < keep)
                out[written] = *p;
            ++p;
            ++written;
        }
        BufferIndex = static_cast<std::int32_t>(p - Buffer.data());
        if (written >= count || p == end)
            continue;
        const int n = *p - 0xC0;
        if (++BufferIndex == m_bufferFill)
            FillBuffer(input);
        const std::uint8_t v = Buffer[BufferIndex++];
        const int shown = std::min(n, keep - written);
        if (shown > 0)
            std::memset(out + written, v, static_cast<std::size_t>(shown));
        written += n;
    }
}

void TDecoder256::FillInfoHeader(std::uint8_t* block)
{
    FillInfoHeaderFor(block, 8, 256);
}

void TDecoder256::ReadPalette(TPcxInStream& input, std::uint8_t* block)
{
    std::uint8_t marker = 0;
    const std::int64_t markerAt = input.Size() - kPaletteBlock;
    if (markerAt >= kPcxDataOffset) {
        input.SetPosition(markerAt);
        input.ReadBuffer(&marker, 1);
    }
    if (marker != kPaletteMarker) {
        for (int i = 0; i < 256; ++i)
            std::memset(block + 4 * i, i, 3);
        return;
    }
    std::uint8_t rgb[768];
    input.ReadBuffer(rgb, sizeof rgb);
    for (int i = 0; i < 256; ++i) {
        block[4 * i] = rgb[3 * i + 2];
        block[4 * i + 1] = rgb[3 * i + 1];
        block[4 * i + 2] = rgb[3 * i];
        block[4 * i + 3] = 0;
    }
}

void TDecoder256::Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output)
{
    BeginBitmap(input, header, output, 8);
    const int bytesPerLine = m_fields.BytesPerLine;
    const int copied = std::min(bytesPerLine, Stride);
    for (int r = Height - 1; r >= 0; --r) {
        std::uint8_t* row = RowAddress(output, r);
        DecodeLine(input, bytesPerLine, row, copied);
        std::memset(row + copied, 0, static_cast<std::size_t>(Stride - copied));
    }
}

void TDecoder256::PutImageRow(const std::uint8_t* line, int factor, std::uint8_t* row, int rowWidth) const
{
    const int bytesPerLine = m_fields.BytesPerLine;
    for (int x = 0; x < rowWidth; ++x) {
        const std::int64_t at = std::int64_t{x} * factor;
        row[x] = at < bytesPerLine ? line[at] : 0;
    }
}

void TDecoder16::FillInfoHeader(std::uint8_t* block)
{
    FillInfoHeaderFor(block, 4, 0);
}

void TDecoder16::ReadPalette(TPcxInStream& input, std::uint8_t* block)
{
    TPcxHeader header;
    input.SetPosition(0);
    input.ReadBuffer(header.data(), kPcxHeaderKept);
    for (int i = 0; i < 16; ++i) {
        block[4 * i] = header[16 + 3 * i + 2];
        block[4 * i + 1] = header[16 + 3 * i + 1];
        block[4 * i + 2] = header[16 + 3 * i];
        block[4 * i + 3] = 0;
    }
}

namespace {

// For each plane byte, its eight bits spread to bit 0 of eight nibbles, in the order of the packed bytes.
struct TPlaneSpread
{
    std::uint32_t Table[256];

    TPlaneSpread()
    {
        for (int b = 0; b < 256; ++b) {
            std::uint32_t word = 0;
            for (int j = 0; j < 8; ++j) {
                if (b & (0x80 >> j))
                    word |= std::uint32_t{1} << (8 * (j / 2) + (j % 2 == 0 ? 4 : 0));
            }
            Table[b] = word;
        }
    }
};

const TPlaneSpread kPlaneSpread;

} // namespace

void TDecoder16::PlanarToPacked(const std::uint8_t* line, int bytesPerLine, std::uint8_t* packed)
{
    const auto& t = kPlaneSpread.Table;
    for (int k = 0; k < bytesPerLine; ++k) {
        const std::uint32_t word = t[line[k]] | t[line[bytesPerLine + k]] << 1 |
                                   t[line[2 * bytesPerLine + k]] << 2 | t[line[3 * bytesPerLine + k]] << 3;
        packed[4 * k] = static_cast<std::uint8_t>(word);
        packed[4 * k + 1] = static_cast<std::uint8_t>(word >> 8);
        packed[4 * k + 2] = static_cast<std::uint8_t>(word >> 16);
        packed[4 * k + 3] = static_cast<std::uint8_t>(word >> 24);
    }
}

void TDecoder16::Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output)
{
    BeginBitmap(input, header, output, 4);
    const int bytesPerLine = m_fields.BytesPerLine;
    const int lineBytes = 4 * bytesPerLine;
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes));
    std::vector<std::uint8_t> packed(static_cast<std::size_t>(std::max(lineBytes, Stride)), 0);
    for (int r = Height - 1; r >= 0; --r) {
        DecodeLine(input, lineBytes, line.data(), lineBytes);
        PlanarToPacked(line.data(), bytesPerLine, packed.data());
        std::memcpy(RowAddress(output, r), packed.data(), static_cast<std::size_t>(Stride));
    }
}

void TDecoder16::PutImageRow(const std::uint8_t* line, int factor, std::uint8_t* row, int rowWidth) const
{
    const int bytesPerLine = m_fields.BytesPerLine;
    for (int x = 0; x < rowWidth; ++x) {
        const std::int64_t at = std::int64_t{x} * factor;
        const std::int64_t byte = at / 8;
        const int bit = 7 - static_cast<int>(at % 8);
        int index = 0;
        for (int plane = 0; byte < bytesPerLine && plane < 4; ++plane)
            index |= ((line[plane * bytesPerLine + byte] >> bit) & 1) << plane;
        row[x] = static_cast<std::uint8_t>(index);
    }
}

std::unique_ptr<TDecoder> TPCXBitmap::CreateDecoder(TPcxInStream& input)
{
    input.SetPosition(0);
    PcxFileHeader.fill(0);
    if (input.Read(PcxFileHeader.data(), kPcxHeaderKept) < kPcxHeaderKept || PcxFileHeader[0] != 10)
        return nullptr;
    const TPcxHeaderFields fields = ReadPcxHeaderFields(PcxFileHeader);
    Is256 = fields.BitsPerPixel == 8 && fields.Planes == 1;
    if (Is256)
        return std::make_unique<TDecoder256>();
    if (fields.BitsPerPixel == 1 && fields.Planes == 4)
        return std::make_unique<TDecoder16>();
    return nullptr;
}

std::optional<QByteArray> TPCXBitmap::DecodeToBitmapStream(TPcxInStream& input)
{
    const std::unique_ptr<TDecoder> decoder = CreateDecoder(input);
    if (!decoder)
        return std::nullopt;
    QByteArray output;
    decoder->Decode(input, PcxFileHeader, output);
    return output;
}

bool TPCXBitmap::LoadFromStream(TPcxInStream& input, int maxSide)
{
    m_error.clear();
    m_fullSize = QSize();
    try {
        const std::unique_ptr<TDecoder> decoder = CreateDecoder(input);
        if (!decoder)
            return LoadOtherBitmap(input);
        const TPcxHeaderFields fields = ReadPcxHeaderFields(PcxFileHeader);
        const int factor = ReductionFactor(std::int64_t{fields.Xmax} - fields.Xmin + 1,
                                           std::int64_t{fields.Ymax} - fields.Ymin + 1, maxSide);
        m_image = decoder->DecodeImage(input, PcxFileHeader, factor);
        m_fullSize = QSize(decoder->Width, decoder->Height);
        return true;
    } catch (const TPcxError& e) {
        m_error = e.what();
    } catch (const std::bad_alloc&) {
        m_error = "Not enough memory for the PCX picture";
    }
    return false;
}

bool TPCXBitmap::LoadOtherBitmap(TPcxInStream& input)
{
    // Whatever follows the bytes already read goes to the plain bitmap reader, which in practice refuses.
    std::string rest(static_cast<std::size_t>(input.Remaining()), '\0');
    input.Read(rest.data(), input.Remaining());
    TPictureResult other = DecodePicture("bmp", rest);
    if (!other.Ok()) {
        m_error = "Not a PCX file of 16 or 256 colours";
        return false;
    }
    m_image = std::move(other.Image);
    m_fullSize = m_image.size();
    return true;
}

bool TPCXBitmap::LoadFromBytes(const std::string& bytes, int maxSide)
{
    TPcxInStream input(bytes);
    return LoadFromStream(input, maxSide);
}
