// Every file of the PNG suite: valid ones draw onto a white 24-bit canvas exactly as Pillow's decode of
// them blends there, corrupt ones ("x...") raise "Error Reading File!".

#include <filesystem>

#include <gtest/gtest.h>

#include "PictureTestTools.h"
#include "images/PictureFormats.h"
#include "images/PngImage.h"
#include "support/TempDir.h"

namespace {

// Pillow decodes; the script only brings its modes to 8-bit RGBA (high byte of 16-bit samples, the
// transparency chunk as alpha) and blends over white with inverted alpha T as the canvas does:
// T x background + (255 - T) x colour, divided by 255 and truncated.
const char* kReferenceScript = R"(
import sys
from PIL import Image
out = sys.argv[1]
def rgba(path):
    im = Image.open(path)
    im.load()
    depth = open(path, 'rb').read()[24]
    t = im.info.get('transparency')
    if im.mode in ('I', 'I;16', 'I;16B'):
        values = list(im.getdata())
        return [(v >> 8, v >> 8, v >> 8, 0 if t is not None and v == t else 255) for v in values]
    if im.mode == 'L' and t is not None and not isinstance(t, bytes):
        key = t * 255 // ((1 << depth) - 1) if depth < 8 else t
        return [(v, v, v, 0 if v == key else 255) for v in im.getdata()]
    if im.mode == 'RGB' and t is not None and depth == 16:
        key = tuple(c >> 8 for c in t)
        return [p + ((0,) if p == key else (255,)) for p in im.getdata()]
    return list(im.convert('RGBA').getdata())
for path in sys.argv[2:]:
    im = Image.open(path)
    w, h = im.size
    data = bytearray()
    for r, g, b, a in rgba(path):
        t = 255 - a
        for c in (r, g, b):
            data.append(c if t == 0 else 255 if t == 255 else (t * 255 + (255 - t) * c) // 255)
    name = path.rsplit('/', 1)[-1]
    with open(out + '/' + name + '.ppm', 'wb') as f:
        f.write(b'P6 %d %d 255\n' % (w, h) + bytes(data))
)";

std::vector<std::filesystem::path> SuiteFiles(bool corrupt)
{
    std::vector<std::filesystem::path> files;
    const std::filesystem::path folder = KORB_TEST_DATA_DIR "/pngsuite";
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        ADD_FAILURE() << "the PNG suite is missing: " << folder;
        return files;
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".png" && (name[0] == 'x') == corrupt)
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST(PngSuite, ValidFilesDrawAsPillowDecodesThem)
{
    ASSERT_EQ(MissingTool("pillow"), "");
    const std::vector<std::filesystem::path> files = SuiteFiles(false);
    ASSERT_GT(files.size(), 140u);
    TTempDir dir;
    std::string command = "/usr/bin/python3 " + Quoted(dir.WriteFile("ref.py", kReferenceScript)) + " " +
                          Quoted(dir.Path().string());
    for (const auto& file : files)
        command += " " + Quoted(file.string());
    // The suite's files are fixed, so the command names them well enough for the cache.
    ASSERT_TRUE(RunShellCached(command, dir.Dir()));
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        TPngGraphic png;
        ASSERT_NO_THROW(png.LoadFromFile(file.string())) << name;
        const QImage ours = DrawOnNewCanvas24(png);
        EXPECT_EQ(CompareRgb(ours, ReadPpm(dir.Dir() + name + ".ppm")), "") << name;
        // The registry's path gives the same picture.
        EXPECT_EQ(CompareRgb(LoadPictureFile(file.string()).Image, ours), "") << name;
    }
}

TEST(PngSuite, CorruptFilesRaiseErrorReadingFile)
{
    const std::vector<std::filesystem::path> files = SuiteFiles(true);
    ASSERT_GE(files.size(), 10u);
    for (const auto& file : files) {
        TPngGraphic png;
        try {
            png.LoadFromFile(file.string());
            ADD_FAILURE() << file.filename() << " loaded";
        } catch (const TPngError& e) {
            EXPECT_STREQ(e.what(), "Error Reading File!") << file.filename();
        }
        EXPECT_FALSE(LoadPictureFile(file.string()).Ok()) << file.filename();
    }
}
