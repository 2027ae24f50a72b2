#include "images/JpegImage.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

struct TJpegErrorManager
{
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

// libjpeg's own handler ends the process; this one returns to the decoder with the message.
[[noreturn]] void OnJpegError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<TJpegErrorManager*>(info->err);
    manager->Base.format_message(info, manager->Message);
    std::longjmp(manager->Jump, 1);
}

// Warnings about damaged data would go to stderr; the picture decodes as far as it can.
void OnJpegMessage(j_common_ptr) {}

void ConvertRow(const JSAMPLE* source, J_COLOR_SPACE space, bool invertedCmyk, int width, uchar* target)
{
    if (space == JCS_GRAYSCALE) {
        for (int x = 0; x < width; ++x)
            target[3 * x] = target[3 * x + 1] = target[3 * x + 2] = source[x];
        return;
    }
    // CMYK files from Adobe programs store the inks inverted.
    for (int x = 0; x < width; ++x) {
        int c = source[4 * x], m = source[4 * x + 1], y = source[4 * x + 2], k = source[4 * x + 3];
        if (!invertedCmyk) {
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        }
        target[3 * x] = static_cast<uchar>(c * k / 255);
        target[3 * x + 1] = static_cast<uchar>(m * k / 255);
        target[3 * x + 2] = static_cast<uchar>(y * k / 255);
    }
}

// Everything between setjmp and a possible longjmp is plain C data, so no destructor is skipped.
bool DecodeInto(jpeg_decompress_struct& info, TJpegErrorManager& errors, const std::string& bytes,
                QImage& image, JSAMPLE*& scratch)
{
    if (setjmp(errors.Jump))
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_save_markers(&info, JPEG_APP0 + 14, 0xFFFF);
    jpeg_read_header(&info, TRUE);
    if (info.image_width > static_cast<unsigned>(kMaxPictureSide) ||
        info.image_height > static_cast<unsigned>(kMaxPictureSide)) {
        std::snprintf(errors.Message, sizeof errors.Message, "The JPEG picture is too large");
        return false;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
    info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    image = QImage(width, static_cast<int>(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) {
        std::snprintf(errors.Message, sizeof errors.Message, "Not enough memory for the JPEG picture");
        return false;
    }
    const bool direct = info.out_color_space == JCS_RGB;
    if (!direct)
        scratch = static_cast<JSAMPLE*>(std::malloc(static_cast<std::size_t>(width) * 4));
    if (!direct && !scratch)
        return false;
    bool adobe = false;
    for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next)
        adobe = adobe || (m->marker == JPEG_APP0 + 14 && m->data_length >= 5);
    while (info.output_scanline < info.output_height) {
        uchar* row = image.scanLine(static_cast<int>(info.output_scanline));
        JSAMPROW target = direct ? row : scratch;
        jpeg_read_scanlines(&info, &target, 1);
        if (!direct)
            ConvertRow(scratch, info.out_color_space, adobe, width, row);
    }
    jpeg_finish_decompress(&info);
    // libjpeg fills damaged or missing data with grey and only warns; such a file counts as damaged.
    if (errors.Base.num_warnings > 0) {
        std::snprintf(errors.Message, sizeof errors.Message, "The JPEG file is damaged");
        return false;
    }
    return true;
}

} // namespace

TPictureResult DecodeJpeg(const std::string& bytes)
{
    jpeg_decompress_struct info{};
    TJpegErrorManager errors{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = OnJpegError;
    errors.Base.output_message = OnJpegMessage;
    TPictureResult result;
    JSAMPLE* scratch = nullptr;
    const bool ok = DecodeInto(info, errors, bytes, result.Image, scratch);
    jpeg_destroy_decompress(&info);
    std::free(scratch);
    if (!ok) {
        result.Image = QImage();
        result.Error = errors.Message[0] ? errors.Message : "The JPEG picture could not be read";
    }
    return result;
}
