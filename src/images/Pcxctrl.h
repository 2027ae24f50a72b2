#pragma once
// PCX screenshots of 256 colours (one 8-bit plane) and 16 colours (four 1-bit planes): each file becomes a
// complete BMP file in memory, which QImage's own BMP reader then loads.

#include <array>
#include <cstdint>
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
// A longer run than this cannot be encoded, so a line never grows further past its count.
inline constexpr int kPcxMaxRun = 63;
// Room behind a line for the longest run and the eight-byte stores that write runs.
inline constexpr int kPcxLineSlack = 2 * kPcxMaxRun + 8;

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
    // Writes the whole BMP file into output; returns 1, throws TPcxError otherwise.
    virtual int Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output) = 0;

    // Run-length decodes at least count bytes into line, which must hold count + kPcxLineSlack bytes; a run
    // that carries past count is written whole. Throws when the data ends first.
    void DecodeLine(TPcxInStream& input, int count, std::uint8_t* line);
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
    // Sizes, output allocation, headers and colour table: everything before the first line.
    void BeginBitmap(TPcxInStream& input, const TPcxHeader& header, QByteArray& output, int bitsPerPixel,
                     std::int64_t encodedLineBytes);
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
    int Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output) override;
};

class TDecoder16 : public TDecoder
{
public:
    void FillInfoHeader(std::uint8_t* block) override;
    void ReadPalette(TPcxInStream& input, std::uint8_t* block) override;
    int PaletteSize() const override { return 64; }
    int Decode(TPcxInStream& input, const TPcxHeader& header, QByteArray& output) override;

    // Four planes of bytesPerLine bytes each, one after another, become 4 x bytesPerLine bytes of
    // 4-bit pixels, the left pixel in the high nibble.
    static void PlanarToPacked(const std::uint8_t* line, int bytesPerLine, std::uint8_t* packed);
};

// The PCX picture class: it replaces only the loading.
class TPCXBitmap
{
public:
    // False, with Error() saying why, when the stream holds no picture this class can read.
    bool LoadFromStream(TPcxInStream& input);
    bool LoadFromBytes(const std::string& bytes);
    // The BMP file in memory, or none when the file is not a PCX of an accepted kind; throws TPcxError
    // when an accepted file cannot be decoded.
    std::optional<QByteArray> DecodeToBitmapStream(TPcxInStream& input);

    const QImage& Image() const { return m_image; }
    const std::string& Error() const { return m_error; }

    TPcxHeader PcxFileHeader{};
    bool Is256 = false;

private:
    bool LoadOtherBitmap(TPcxInStream& input);

    QImage m_image;
    std::string m_error;
};
