#pragma once
// PCX screenshots of 256 colours (one 8-bit plane) and 16 colours (four 1-bit planes). A picture loads
// straight into an indexed QImage, reduced when asked; the same decoding also builds a complete BMP file.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QByteArray>
#include <QImage>

#include "images/PcxctrlStream.h"

inline constexpr int kPcxHeaderKept = 70;
inline constexpr int kPcxDataOffset = 128;
inline constexpr int kPcxBufferSize = 1024;
inline constexpr int kBmpFileHeaderSize = 14;
inline constexpr int kBmpInfoHeaderSize = 40;
// A longer run than this cannot be encoded.
inline constexpr int kPcxMaxRun = 63;

// The fewest encoded bytes any valid file can spend on a line of lineBytes decoded bytes: a run codes
// up to 63 bytes in two, a single literal one byte in one.
std::int64_t MinimumEncodedLineBytes(std::int64_t lineBytes);

using TPcxHeader = std::array<std::uint8_t, kPcxHeaderKept>;

// The fields of the kept header that the decoders use.
struct TPcxHeaderFields
{
    int Manufacturer = 0;
    int BitsPerPixel = 0;
    int Xmin = 0, Ymin = 0, Xmax = 0, Ymax = 0;
    int Planes = 0;
    int BytesPerLine = 0;
    int PaletteInfo = 0;
};
TPcxHeaderFields ReadPcxHeaderFields(const TPcxHeader& header);

// Converts one PCX file; made for one file and released after it, its read-ahead buffer carries over from
// line to line.
class TDecoder
{
public:
    virtual ~TDecoder() = default;

    // The info header followed by the colour table: InfoSize bytes.
    virtual std::vector<std::uint8_t> CreateBitmapInfo(TPcxInStream& input);
    virtual void FillInfoHeader(std::uint8_t* block) = 0;
    virtual void ReadPalette(TPcxInStream& input, std::uint8_t* block) = 0;
    virtual int PaletteSize() const = 0;
    // Writes the whole BMP file into output; throws TPcxError when it cannot.
    virtual void Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output) = 0;
    // The picture as an indexed QImage, every factor-th pixel of every factor-th line when factor > 1;
    // throws TPcxError when it cannot.
    QImage DecodeImage(TPcxInStream& input, const TPcxHeader& header, int factor);

    // Run-length decodes one line of count bytes; only its first keep bytes (keep <= count) reach out, the
    // rest of the line and of a run that carries past count is consumed unwritten. Throws when the data
    // ends first.
    void DecodeLine(TPcxInStream& input, int count, std::uint8_t* out, int keep);
    void FillFileHeader(std::uint8_t* fileHeader);
    std::int64_t ImageSize() const { return static_cast<std::int64_t>(Stride) * Height; }

    std::int32_t Height = 0;
    std::int32_t Width = 0;
    // The length of one stored BMP row.
    std::int32_t Stride = -1;
    std::array<std::uint8_t, kPcxBufferSize> Buffer{};
    std::int32_t BufferIndex = 0;
    std::uint16_t InfoSize = 0;
    std::int32_t PixelOffset = 0;

protected:
    // The decoded bytes of one line: one plane or four.
    virtual int LineBytes() const = 0;
    // One line of the picture from its decoded bytes, every factor-th pixel.
    virtual void PutImageRow(const std::uint8_t* line, int factor, std::uint8_t* row, int rowWidth) const = 0;
    // Sizes from the header, refusing what is too large or what the data cannot fill.
    void ReadSizes(TPcxInStream& input, const TPcxHeader& header, std::int64_t pixels);
    // Sizes, output allocation, headers and colour table: everything before the first line.
    void BeginBitmap(TPcxInStream& input, const TPcxHeader& header, QByteArray& output, int bitsPerPixel);
    void FillInfoHeaderFor(std::uint8_t* block, int bitsPerPixel, std::uint32_t coloursUsed) const;
    std::uint8_t* RowAddress(QByteArray& output, int r) const;

    TPcxHeaderFields m_fields;

private:
    void FillBuffer(TPcxInStream& input);

    std::int32_t m_bufferFill = 0;
    bool m_primed = false;
};

class TDecoder256 : public TDecoder
{
public:
    void FillInfoHeader(std::uint8_t* block) override;
    // Without the marker 12 at size - 769 the table is a grey ramp, so the picture still shows.
    void ReadPalette(TPcxInStream& input, std::uint8_t* block) override;
    int PaletteSize() const override { return 1024; }
    void Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output) override;

protected:
    int LineBytes() const override { return m_fields.BytesPerLine; }
    void PutImageRow(const std::uint8_t* line, int factor, std::uint8_t* row, int rowWidth) const override;
};

class TDecoder16 : public TDecoder
{
public:
    void FillInfoHeader(std::uint8_t* block) override;
    void ReadPalette(TPcxInStream& input, std::uint8_t* block) override;
    int PaletteSize() const override { return 64; }
    void Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output) override;

    // Four planes of bytesPerLine bytes each, one after another, become 4 x bytesPerLine bytes of
    // 4-bit pixels, the left pixel in the high nibble.
    static void PlanarToPacked(const std::uint8_t* line, int bytesPerLine, std::uint8_t* packed);

protected:
    int LineBytes() const override { return 4 * m_fields.BytesPerLine; }
    void PutImageRow(const std::uint8_t* line, int factor, std::uint8_t* row, int rowWidth) const override;
};

// The PCX picture class: it replaces only the loading.
class TPCXBitmap
{
public:
    // False, with Error() saying why, when the stream holds no picture this class can read. With maxSide
    // above 0 a larger picture is decoded reduced by the smallest whole factor that fits it.
    bool LoadFromStream(TPcxInStream& input, int maxSide = 0);
    bool LoadFromBytes(const std::string& bytes, int maxSide = 0);
    // The BMP file in memory, or none when the file is not a PCX of an accepted kind; throws TPcxError
    // when an accepted file cannot be decoded.
    std::optional<QByteArray> DecodeToBitmapStream(TPcxInStream& input);

    const QImage& Image() const { return m_image; }
    // The size the header gives, also when Image() is reduced.
    QSize FullSize() const { return m_fullSize; }
    const std::string& Error() const { return m_error; }

    TPcxHeader PcxFileHeader{};
    bool Is256 = false;

private:
    bool LoadOtherBitmap(TPcxInStream& input);
    std::unique_ptr<TDecoder> CreateDecoder(TPcxInStream& input);

    QImage m_image;
    QSize m_fullSize;
    std::string m_error;
};
