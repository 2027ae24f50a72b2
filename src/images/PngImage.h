#pragma once
// PNG pictures through libpng: TPngImage holds the decoded rows, TPngGraphic is the picture that wraps it.

#include <cstdint>
#include <stdexcept>
#include <string>

#include <QImage>
#include <QRect>
#include <QSize>

struct TPngReadJob;

// Every failure of the PNG codec; what() is the message to show.
class TPngError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reference-counted holder of decoded pixel rows. Samples after reading: red, green, blue (or grey), then
// alpha when present; 16-bit samples little-endian; alpha inverted (0 opaque, largest value transparent).
class TPngImage
{
public:
    // Starts with a reference count of 1; the last Release() deletes it.
    TPngImage() = default;
    TPngImage(const TPngImage&) = delete;
    TPngImage& operator=(const TPngImage&) = delete;

    TPngImage* AddRef();
    void Release();

    // Throws TPngError: "Error Opening File <name>!" or "Error Reading File!". With maxSide above 0 a
    // larger picture is kept reduced: every factor-th pixel of every factor-th line (see ReductionFactor).
    void LoadFromFile(const std::string& name, int maxSide = 0);
    // The same decoding from bytes in memory; throws "Error Reading File!".
    void LoadFromBytes(const std::string& bytes, int maxSide = 0);
    // Throws TPngError: "Error Opening File <name>!" or "Error Writing File!".
    void SaveToFile(const std::string& name) const;
    // Paints the image at its natural size with its top-left corner at (left, top), blending by alpha.
    void Draw(QImage& canvas, int left, int top) const;

    int BitDepth = 0;
    int BytesPerPixel = 0;
    int ColorType = 0;
    int Height = 0;
    int Width = 0;
    const std::uint8_t* Row(int y) const { return m_data + static_cast<std::size_t>(y) * RowBytes(); }
    std::size_t RowBytes() const { return static_cast<std::size_t>(Width) * BytesPerPixel; }
    bool HasData() const { return m_data != nullptr; }
    // The size the file gives; larger than Width x Height when the picture was kept reduced.
    QSize FullSize() const { return m_fullSize; }
    int RefCount() const { return m_refCount; }

private:
    ~TPngImage();
    void FreeData();
    void Adopt(TPngReadJob& job);

    std::uint8_t* m_data = nullptr;
    std::uint8_t** m_rowPointers = nullptr;
    QSize m_fullSize;
    int m_refCount = 1;
};

// The PNG picture class. Copies share one TPngImage.
class TPngGraphic
{
public:
    TPngGraphic() = default;
    TPngGraphic(const TPngGraphic& other);
    TPngGraphic& operator=(const TPngGraphic& other);
    ~TPngGraphic();

    void Assign(const TPngGraphic& source);
    // Draws at the rectangle's top-left corner, at natural size; nothing when empty.
    void Draw(QImage& canvas, const QRect& rect) const;
    bool GetEmpty() const { return m_image == nullptr; }
    int GetHeight() const { return m_image ? m_image->Height : 0; }
    int GetWidth() const { return m_image ? m_image->Width : 0; }
    // Throws TPngError as TPngImage::LoadFromFile does.
    void LoadFromFile(const std::string& name, int maxSide = 0);
    void LoadFromBytes(const std::string& bytes, int maxSide = 0);
    void SaveToFile(const std::string& name) const;
    // These belong to the picture class but a PNG does not support them: each throws TPngError.
    [[noreturn]] void LoadFromClipboardFormat();
    [[noreturn]] void LoadFromStream();
    [[noreturn]] void SaveToClipboardFormat();
    [[noreturn]] void SaveToStream();
    [[noreturn]] void SetHeight(int height);
    [[noreturn]] void SetWidth(int width);

    const TPngImage* Image() const { return m_image; }
    bool Transparent = true;

private:
    TPngImage* m_image = nullptr;
};

// A 24-bit picture (bytes blue, green, red) of that size, all white, as a new bitmap starts.
QImage NewCanvas24(int width, int height);
// The PNG drawn at (0, 0) onto a new white 24-bit canvas of its own size, as the screenshot viewer shows it.
QImage DrawOnNewCanvas24(const TPngGraphic& graphic);
