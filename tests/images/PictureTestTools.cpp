#include "PictureTestTools.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include <unistd.h>

std::string PcxHeader(const TPcxLayout& layout)
{
    std::string header(128, '\0');
    auto put16 = [&](int at, int value) {
        header[at] = static_cast<char>(value & 0xFF);
        header[at + 1] = static_cast<char>((value >> 8) & 0xFF);
    };
    header[0] = 10;
    header[1] = 5;
    header[2] = 1;
    header[3] = static_cast<char>(layout.BitsPerPixel);
    put16(4, layout.Xmin);
    put16(6, layout.Ymin);
    put16(8, layout.Xmin + layout.Width - 1);
    put16(10, layout.Ymin + layout.Height - 1);
    put16(12, 72);
    put16(14, 72);
    for (std::size_t i = 0; i < layout.HeaderPalette.size() && i < 48; ++i)
        header[16 + i] = static_cast<char>(layout.HeaderPalette[i]);
    header[65] = static_cast<char>(layout.Planes);
    put16(66, layout.BytesPerLine);
    put16(68, 1);
    return header;
}

std::string PcxEncodeLine(const std::string& line)
{
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = 1;
        while (i + n < line.size() && line[i + n] == line[i] && n < 63)
            ++n;
        const auto v = static_cast<std::uint8_t>(line[i]);
        if (n > 1 || v >= 0xC0)
            out += static_cast<char>(0xC0 + n);
        out += static_cast<char>(v);
        i += n;
    }
    return out;
}

std::string PcxPalette(const std::vector<std::uint8_t>& rgb)
{
    std::string out(769, '\0');
    out[0] = 12;
    for (std::size_t i = 0; i < rgb.size() && i < 768; ++i)
        out[1 + i] = static_cast<char>(rgb[i]);
    return out;
}

std::string Pcx256File(int width, const std::vector<std::string>& lines, const std::vector<std::uint8_t>& rgb)
{
    TPcxLayout layout;
    layout.Width = width;
    layout.Height = static_cast<int>(lines.size());
    layout.BytesPerLine = lines.empty() ? 2 : static_cast<int>(lines[0].size());
    std::string file = PcxHeader(layout);
    for (const std::string& line : lines)
        file += PcxEncodeLine(line);
    return file + PcxPalette(rgb);
}

std::uint32_t Le32(const std::string& bytes, std::size_t at)
{
    return Le16(bytes, at) | std::uint32_t{Le16(bytes, at + 2)} << 16;
}

std::uint16_t Le16(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes.at(at)) |
                                      static_cast<std::uint8_t>(bytes.at(at + 1)) << 8);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0)
        return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

bool RunShell(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

namespace {

namespace fs = std::filesystem;

// Name and content of every plain file directly in the folder.
std::map<std::string, std::string> FilesIn(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = ReadBytes(entry.path().string());
    return files;
}

std::string CacheKey(std::string command, const std::string& folder,
                     const std::map<std::string, std::string>& files)
{
    // The temporary folder has another name in every run.
    for (size_t at = command.find(folder); at != std::string::npos; at = command.find(folder, at))
        command.replace(at, folder.size(), "\x01");
    std::size_t key = std::hash<std::string>()(command);
    for (const auto& [name, content] : files)
        key = key * 1000003u ^ std::hash<std::string>()(name) * 31u ^ std::hash<std::string>()(content);
    std::ostringstream hex;
    hex << std::hex << key;
    return hex.str();
}

} // namespace

bool RunShellCached(const std::string& command, const std::string& folder)
{
    std::string base = folder;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    const std::map<std::string, std::string> before = FilesIn(base);
    const fs::path cached = fs::path(KORB_BINARY_DIR) / "test-references" / CacheKey(command, base, before);
    std::error_code ec;
    if (fs::is_directory(cached, ec)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(cached))
            fs::copy_file(entry.path(), fs::path(base) / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
        return true;
    }
    if (!RunShell(command))
        return false;
    // Written whole under a name of its own, then renamed: parallel runs never see half a set.
    const fs::path part = cached.string() + ".part" + std::to_string(getpid());
    fs::create_directories(part, ec);
    for (const auto& [name, content] : FilesIn(base)) {
        const auto was = before.find(name);
        if (was == before.end() || was->second != content)
            WriteBytes((part / name).string(), content);
    }
    fs::rename(part, cached, ec);
    if (ec)
        fs::remove_all(part, ec);
    return true;
}

std::string Quoted(const std::string& path)
{
    std::string out = "'";
    for (char c : path)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string MissingTool(const std::string& which)
{
    if (which == "pillow")
        return RunShell("/usr/bin/python3 -c 'import PIL' 2>/dev/null")
                   ? ""
                   : "Pillow (python3-pil) is not installed";
    if (which == "imagemagick")
        return RunShell("test -x /usr/bin/convert") ? "" : "ImageMagick (/usr/bin/convert) is not installed";
    if (which == "netpbm")
        return RunShell("command -v ppmtopcx >/dev/null && command -v pcxtoppm >/dev/null")
                   ? ""
                   : "Netpbm (ppmtopcx, pcxtoppm) is not installed";
    return "unknown tool " + which;
}

QImage ReadPpm(const std::string& path)
{
    const std::string bytes = ReadBytes(path);
    std::istringstream in(bytes);
    std::string magic;
    int width = 0, height = 0, maxval = 0;
    in >> magic >> width >> height >> maxval;
    in.get();
    if (magic != "P6" || maxval != 255 || width <= 0 || height <= 0)
        return {};
    const std::size_t start = static_cast<std::size_t>(in.tellg());
    if (bytes.size() < start + std::size_t(width) * height * 3)
        return {};
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), bytes.data() + start + std::size_t(y) * width * 3,
                    std::size_t(width) * 3);
    return image;
}

QImage ReadRawRgb(const std::string& path, int width, int height)
{
    const std::string bytes = ReadBytes(path);
    if (bytes.size() != std::size_t(width) * height * 3)
        return {};
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), bytes.data() + std::size_t(y) * width * 3, std::size_t(width) * 3);
    return image;
}

std::string CompareRgb(const QImage& actual, const QImage& expected)
{
    if (actual.isNull() || expected.isNull())
        return actual.isNull() ? "no decoded picture" : "no reference picture";
    if (actual.size() != expected.size()) {
        std::ostringstream out;
        out << "size " << actual.width() << "x" << actual.height() << " instead of " << expected.width()
            << "x" << expected.height();
        return out.str();
    }
    // What pixel() gives, without a call per pixel.
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage e = expected.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowE = reinterpret_cast<const QRgb*>(e.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (((rowA[x] ^ rowE[x]) & 0xFFFFFF) != 0) {
                std::ostringstream out;
                out << "pixel (" << x << "," << y << ") is " << std::hex << (rowA[x] & 0xFFFFFF)
                    << " instead of " << (rowE[x] & 0xFFFFFF);
                return out.str();
            }
        }
    }
    return {};
}
