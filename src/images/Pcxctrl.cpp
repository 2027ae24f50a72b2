#include "images/Pcxctrl.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "images/PictureFormats.h"

namespace {

// QImage's BMP reader refuses larger pictures by default, so larger ones are not worth building.
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

void TDecoder::BeginBitmap(TPcxInStream& input, const TPcxHeader& header, QByteArray& output,
                           int bitsPerPixel, std::int64_t encodedLineBytes)
{
    m_fields = ReadPcxHeaderFields(header);
    Height = m_fields.Ymax - m_fields.Ymin + 1;
    Width = m_fields.Xmax - m_fields.Xmin + 1;
    if (Width <= 0 || Height <= 0 || m_fields.BytesPerLine <= 0)
        throw TPcxError("The PCX header gives no picture size");
    if (Width > kMaxPictureSide || Height > kMaxPictureSide)
        throw TPcxError("The PCX picture is too large");
    // The bytes per line of the file may be padded beyond the width or fall short of it; rows are laid
    // out as the BMP reader expects for the width, so the picture never shears.
    Stride = BitmapRowBytes(Width, bitsPerPixel);
    if (ImageSize() > kMaxBitmapBytes)
        throw TPcxError("The PCX picture is too large");
    // One two-byte run yields at most 63 bytes: refuse early what the data cannot possibly fill.
    const std::int64_t minimumData = Height * 2 * ((encodedLineBytes + kPcxMaxRun - 1) / kPcxMaxRun);
    if (input.Size() - kPcxDataOffset < minimumData)
        throw TPcxError("The PCX file ends too early");

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

void TDecoder::FillBuffer(TPcxInStream& input)
{
    const std::int64_t n =
        input.Read(Buffer.data(), std::min<std::int64_t>(kPcxBufferSize, input.Remaining()));
    if (n <= 0)
        throw TPcxError("The PCX file ends too early");
    m_bufferFill = static_cast<std::int32_t>(n);
    BufferIndex = 0;
}

void TDecoder::DecodeLine(TPcxInStream& input, int count, std::uint8_t* line)
{
    if (!m_primed) {
        FillBuffer(input);
        m_primed = true;
    }
    std::uint8_t* out = line;
    std::uint8_t* const outEnd = line + count;
    while (out < outEnd) {
        if (BufferIndex == m_bufferFill)
            FillBuffer(input);
        const std::uint8_t* p = Buffer.data() + BufferIndex;
        // One byte is kept back so that the value of a run always lies in the buffer here.
        const std::uint8_t* const safeEnd = Buffer.data() + m_bufferFill - 1;
        while (out < outEnd && p < safeEnd) {
            const std::uint8_t c = *p++;
            if (c < 0xC0) {
                *out++ = c;
                continue;
            }
            // Runs are short in dithered pictures: eight-byte stores beat a call to memset.
            const unsigned n = c - 0xC0u;
            const std::uint64_t v = *p++ * std::uint64_t{0x0101010101010101};
            for (unsigned i = 0; i < n; i += 8)
                std::memcpy(out + i, &v, 8);
            out += n;
        }
        BufferIndex = static_cast<std::int32_t>(p - Buffer.data());
        if (out >= outEnd || BufferIndex != m_bufferFill - 1)
            continue;
        // The last byte of the buffer: a run's value comes from the next block.
        const std::uint8_t c = Buffer[BufferIndex++];
        if (c < 0xC0) {
            *out++ = c;
            continue;
        }
        FillBuffer(input);
        const std::uint8_t v = Buffer[BufferIndex++];
        std::memset(out, v, c - 0xC0u);
        out += c - 0xC0;
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

int TDecoder256::Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output)
{
    const int bytesPerLine = ReadPcxHeaderFields(header).BytesPerLine;
    BeginBitmap(input, header, output, 8, bytesPerLine);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(bytesPerLine) + kPcxLineSlack);
    const int copied = std::min(bytesPerLine, Stride);
    for (int r = Height - 1; r >= 0; --r) {
        DecodeLine(input, bytesPerLine, line.data());
        std::uint8_t* row = RowAddress(output, r);
        std::memcpy(row, line.data(), copied);
        std::memset(row + copied, 0, Stride - copied);
    }
    return 1;
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

int TDecoder16::Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output)
{
    const int bytesPerLine = ReadPcxHeaderFields(header).BytesPerLine;
    const int lineBytes = 4 * bytesPerLine;
    BeginBitmap(input, header, output, 4, lineBytes);
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineBytes) + kPcxLineSlack);
    std::vector<std::uint8_t> packed(static_cast<std::size_t>(std::max(lineBytes, Stride)), 0);
    for (int r = Height - 1; r >= 0; --r) {
        DecodeLine(input, lineBytes, line.data());
        PlanarToPacked(line.data(), bytesPerLine, packed.data());
        std::memcpy(RowAddress(output, r), packed.data(), Stride);
    }
    return 1;
}

std::optional<QByteArray> TPCXBitmap::DecodeToBitmapStream(TPcxInStream& input)
{
    input.SetPosition(0);
    PcxFileHeader.fill(0);
    if (input.Read(PcxFileHeader.data(), kPcxHeaderKept) < kPcxHeaderKept || PcxFileHeader[0] != 10)
        return std::nullopt;
    const TPcxHeaderFields fields = ReadPcxHeaderFields(PcxFileHeader);
    std::unique_ptr<TDecoder> decoder;
    Is256 = fields.BitsPerPixel == 8 && fields.Planes == 1;
    if (Is256)
        decoder = std::make_unique<TDecoder256>();
    else if (fields.BitsPerPixel == 1 && fields.Planes == 4)
        decoder = std::make_unique<TDecoder16>();
    else
        return std::nullopt;
    QByteArray output;
    if (decoder->Decode(input, PcxFileHeader, output) != 1)
        return std::nullopt;
    return output;
}

bool TPCXBitmap::LoadFromStream(TPcxInStream& input)
{
    m_error.clear();
    try {
        std::optional<QByteArray> bitmap = DecodeToBitmapStream(input);
        if (!bitmap)
            return LoadOtherBitmap(input);
        QImage image;
        if (!image.loadFromData(*bitmap, "BMP")) {
            m_error = "The decoded PCX picture could not be read";
            return false;
        }
        m_image = std::move(image);
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
    return true;
}

bool TPCXBitmap::LoadFromBytes(const std::string& bytes)
{
    TPcxInStream input(bytes);
    return LoadFromStream(input);
}
