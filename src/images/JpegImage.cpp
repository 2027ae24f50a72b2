#include "images/JpegImage.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// What libjpeg may allocate for one picture beyond the rows handed out: a progressive picture keeps all
// its coefficients, whatever the reduction, and one larger than this is refused.
constexpr long kMaxJpegWorkBytes = 160L * 1024 * 1024;

struct TJpegErrorManager
{
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    bool DataEnded = false;
};

// libjpeg's own handler ends the process; this one returns to the decoder with the message.
[[noreturn]] void OnJpegError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<TJpegErrorManager*>(info->err);
    manager->Base.format_message(info, manager->Message);
    std::longjmp(manager->Jump, 1);
}

// Warnings about damaged data would go to stderr; the picture decodes as far as it can. Only data that
// ends early counts: libjpeg would show the missing part grey.
void OnJpegMessage(j_common_ptr) {}

void OnJpegEmit(j_common_ptr info, int level)
{
    auto* manager = reinterpret_cast<TJpegErrorManager*>(info->err);
    if (level < 0 && manager->Base.msg_code == JWRN_JPEG_EOF)
        manager->DataEnded = true;
}

// The fewest bytes entropy-coded data can take for the picture: two bits a block in sequential Huffman
// files (a DC and an end-of-block code), one in progressive ones (the first DC scan). Arithmetic coding
// can go below any such bound.
std::int64_t MinimumScanBytes(const jpeg_decompress_struct& info)
{
    if (info.arith_code)
        return 0;
    std::int64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const std::int64_t width = (std::int64_t{info.image_width} * component.h_samp_factor +
                                    std::int64_t{info.max_h_samp_factor} * 8 - 1) /
                                   (std::int64_t{info.max_h_samp_factor} * 8);
        const std::int64_t height = (std::int64_t{info.image_height} * component.v_samp_factor +
                                     std::int64_t{info.max_v_samp_factor} * 8 - 1) /
                                    (std::int64_t{info.max_v_samp_factor} * 8);
        blocks += width * height;
    }
    return blocks * (info.progressive_mode ? 1 : 2) / 8;
}

int ScaleDenominator(const jpeg_decompress_struct& info, int maxSide)
{
    const int factor = ReductionFactor(info.image_width, info.image_height, maxSide);
    int denominator = 1;
    while (denominator < factor && denominator < 8)
        denominator *= 2;
    return denominator;
}

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
                int maxSide, QImage& image, JSAMPLE*& scratch)
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
    // The header is all read here: what follows must at least hold the picture's scan data.
    const std::int64_t rest = static_cast<std::int64_t>(info.src->bytes_in_buffer);
    if (rest < MinimumScanBytes(info)) {
        std::snprintf(errors.Message, sizeof errors.Message, "The JPEG file is too short for its picture");
        return false;
    }
    info.mem->max_memory_to_use = kMaxJpegWorkBytes;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(ScaleDenominator(info, maxSide));
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
    if (errors.DataEnded) {
        std::snprintf(errors.Message, sizeof errors.Message, "The JPEG file ends too early");
        return false;
    }
    return true;
}

} // namespace

TPictureResult DecodeJpeg(const std::string& bytes, int maxSide)
{
    jpeg_decompress_struct info{};
    TJpegErrorManager errors{};
    info.err = jpeg_std_error(&errors.Base);
    errors.Base.error_exit = OnJpegError;
    errors.Base.output_message = OnJpegMessage;
    errors.Base.emit_message = OnJpegEmit;
    TPictureResult result;
    JSAMPLE* scratch = nullptr;
    const bool ok = DecodeInto(info, errors, bytes, maxSide, result.Image, scratch);
    if (ok)
        result.FullSize = QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
    jpeg_destroy_decompress(&info);
    std::free(scratch);
    if (!ok) {
        result.Image = QImage();
        result.Error = errors.Message[0] ? errors.Message : "The JPEG picture could not be read";
    }
    return result;
}
