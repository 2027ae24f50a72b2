// The demo emulator folder: everything the front-end looks for is there, readable by other programs.

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include <gtest/gtest.h>

#include "ToolProcess.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::vector<fs::path> FilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file())
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The part of a file name before its first dot.
std::string ZipOf(const fs::path& file)
{
    const std::string name = file.filename().string();
    return Lower(name.substr(0, name.find('.')));
}

uint32_t Big32(const std::string& bytes, size_t offset)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = (value << 8) | uint8_t(bytes.at(offset + i));
    return value;
}

} // namespace

class TDemoFolder : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<TTempDir>();
        s_demo = s_folder->Path() / "demo";
        // Font libraries keep caches until exit, which a sanitizer build would call leaks.
        s_generator = RunIn(s_folder->Path(),
                            std::string("env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 ") +
                                ShellQuote(KORB_DEMO_PATH) + " " + ShellQuote(s_demo.string()));
        s_listed = ListedGames(RunSim(s_demo, {"-list"}, "", (s_demo / "korb.exe").string()).Output);
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    // The readme's table: archive name to the text before it, from the heading on.
    static std::map<std::string, std::string> ReadmeTable()
    {
        std::map<std::string, std::string> table;
        const std::string readme = ReadBytes(s_demo / "Readme.txt");
        bool inTable = false;
        for (std::string line : SplitLines(readme)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!inTable) {
                inTable = line.find("nternal name") != std::string::npos;
                continue;
            }
            const auto last = line.find_last_of(' ');
            if (last != std::string::npos)
                table[line.substr(last + 1)] = line.substr(0, last);
        }
        return table;
    }

    static std::set<std::string> Installed(const std::string& folder, const std::string& extension)
    {
        std::set<std::string> zips;
        for (const fs::path& file : FilesIn(s_demo / folder)) {
            if (Lower(file.extension().string()) == extension)
                zips.insert(ZipOf(file));
        }
        return zips;
    }

    static inline std::unique_ptr<TTempDir> s_folder;
    static inline fs::path s_demo;
    static inline TCommandResult s_generator;
    static inline std::vector<std::string> s_listed;
};

TEST_F(TDemoFolder, GeneratorSucceedsAndInstallsTheStandInAsKorbExe)
{
    EXPECT_EQ(s_generator.ExitCode, 0) << s_generator.Output;
    const fs::perms permissions = fs::status(s_demo / "korb.exe").permissions();
    EXPECT_NE(permissions & fs::perms::owner_exec, fs::perms::none);
    EXPECT_GE(s_listed.size(), 30u);
}

TEST_F(TDemoFolder, HoldsTheConverterUnderTheNameTheFrontEndRuns)
{
    const fs::path converter = s_demo / "nconvert.exe";
    ASSERT_TRUE(fs::is_regular_file(converter));
    EXPECT_NE(fs::status(converter).permissions() & fs::perms::owner_exec, fs::perms::none);
    const TCommandResult usage = RunIn(s_demo, ShellQuote(converter.string()) + " -out png");
    EXPECT_EQ(usage.ExitCode, 2) << "no files given";
    EXPECT_NE(usage.Output.find("-out png"), std::string::npos) << usage.Output;
}

TEST_F(TDemoFolder, ReadmeNamesEveryListedGameInItsTable)
{
    const std::string readme = ReadBytes(s_demo / "Readme.txt");
    for (size_t i = 0; i < readme.size(); ++i) {
        if (readme[i] == '\n') {
            ASSERT_TRUE(i > 0 && readme[i - 1] == '\r') << "line feed without carriage return at " << i;
        }
    }
    const auto table = ReadmeTable();
    ASSERT_FALSE(s_listed.empty());
    for (const std::string& zip : s_listed) {
        ASSERT_TRUE(table.count(zip)) << zip << " is not in the readme";
        const std::string& name = table.at(zip);
        EXPECT_EQ(name.back(), ' ') << "blanks pad the name before " << zip;
        EXPECT_NE(name.find_first_not_of(' '), std::string::npos) << zip << " has no name";
    }
}

TEST_F(TDemoFolder, DisplayNamesMixTheShapesTheFrontEndMustTitleCase)
{
    bool apostrophe = false, hyphen = false, roman = false, digit = false, capitals = false, mixed = false;
    for (const auto& [zip, padded] : ReadmeTable()) {
        const std::string name = padded.substr(0, padded.find_last_not_of(' ') + 1);
        apostrophe |= name.find('\'') != std::string::npos;
        hyphen |= name.find('-') != std::string::npos;
        roman |= name.ends_with(" II") || name.ends_with(" III") || name.ends_with(" IV");
        digit |= name.find_first_of("0123456789") != std::string::npos;
        const bool hasLower = name.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos;
        capitals |= !hasLower;
        mixed |= hasLower;
    }
    EXPECT_TRUE(apostrophe && hyphen && roman && digit && capitals && mixed);
}

TEST_F(TDemoFolder, RomsLieInEveryPlaceTheFrontEndLooksAndSomeAreMissing)
{
    const std::set<std::string> zipped = Installed("ziproms", ".zip");
    const std::set<std::string> extra = Installed("extra-roms", ".zip");
    std::set<std::string> folders;
    for (const fs::path& entry : fs::directory_iterator(s_demo / "roms")) {
        if (entry.has_filename() && fs::is_directory(entry))
            folders.insert(entry.filename().string());
    }
    size_t missing = 0;
    for (const std::string& zip : s_listed)
        missing += !zipped.count(zip) && !extra.count(zip) && !folders.count(zip);
    EXPECT_GE(zipped.size(), 5u);
    EXPECT_GE(extra.size(), 2u);
    EXPECT_GE(folders.size(), 2u);
    EXPECT_GE(missing, 2u);
    EXPECT_NE(ReadBytes(s_demo / "Vantorkorb.ini").find("ZipRomPath0=extra-roms/"), std::string::npos);
}

TEST_F(TDemoFolder, ZipArchivesAreRealZips)
{
    for (const char* folder : {"ziproms", "extra-roms"}) {
        for (const fs::path& zip : FilesIn(s_demo / folder)) {
            const TCommandResult test = RunIn(s_demo, "unzip -tq " + ShellQuote(zip.string()));
            EXPECT_EQ(test.ExitCode, 0) << zip << "\n" << test.Output;
        }
    }
}

TEST_F(TDemoFolder, InstalledGamesRunInTheFolderAndListedOnesOnly)
{
    const std::string program = (s_demo / "korb.exe").string();
    for (const std::string zip : {"starrng2", "pixpanic", "orborch"}) {
        const TCommandResult run =
            RunSim(s_demo, {zip, "-vsync"}, "KORB_SIM_RUN_MS=0 KORB_SIM_SHOTS=1", program);
        EXPECT_EQ(run.Output.find("cannot"), std::string::npos) << zip << "\n" << run.Output;
    }
    const TCommandResult missing = RunSim(s_demo, {"glasslab"}, "KORB_SIM_RUN_MS=0", program);
    EXPECT_NE(missing.Output.find("cannot"), std::string::npos);
    fs::remove_all(s_demo / "pcx");
}

TEST_F(TDemoFolder, PicturesCoverEveryCategoryAndFormatAndDecode)
{
    std::set<std::string> extensions;
    std::set<std::string> listed(s_listed.begin(), s_listed.end());
    std::string pillowFiles;
    std::vector<fs::path> pcxFiles;
    for (const char* category : {"Titles", "Gameplay", "Flyers", "Cabinets"}) {
        std::set<std::string> categoryExtensions;
        for (const fs::path& file : FilesIn(s_demo / category)) {
            EXPECT_TRUE(listed.count(ZipOf(file))) << file << " belongs to no game";
            categoryExtensions.insert(file.extension().string());
            if (file.extension() == ".pcx")
                pcxFiles.push_back(file);
            else
                pillowFiles += " " + ShellQuote(file.string());
            if (std::string(category) == "Gameplay") {
                const std::string name = file.filename().string();
                EXPECT_EQ(name.find('.') + 4, name.rfind('.')) << "zip.NNN.ext: " << name;
            }
        }
        EXPECT_GE(categoryExtensions.size(), 3u) << category;
        extensions.insert(categoryExtensions.begin(), categoryExtensions.end());
    }
    EXPECT_EQ(extensions, (std::set<std::string>{".bmp", ".jpg", ".pcx", ".png"}));

    s_folder->WriteFile("check_pictures.py", "import sys\nfrom PIL import Image\n"
                                             "for name in sys.argv[1:]:\n"
                                             "    im = Image.open(name); im.load()\n"
                                             "    print(im.format, im.mode, '%dx%d' % im.size)\n");
    const TCommandResult pillow = RunIn(s_folder->Path(), "/usr/bin/python3 check_pictures.py" + pillowFiles);
    ASSERT_EQ(pillow.ExitCode, 0) << pillow.Output;
    const std::string report = pillow.Output;
    for (const char* kind : {"PNG RGBA", "PNG RGB ", "JPEG", "BMP"})
        EXPECT_NE(report.find(kind), std::string::npos) << kind << "\n" << report;
    std::set<std::string> sizes;
    for (const std::string& line : SplitLines(report))
        sizes.insert(SplitWords(line).back());
    EXPECT_GE(sizes.size(), 4u);

    std::set<int> pcxKinds;
    for (const fs::path& file : pcxFiles) {
        const std::string bytes = ReadBytes(file);
        ASSERT_GT(bytes.size(), 128u) << file;
        pcxKinds.insert(bytes[3] * 10 + bytes[65]);
        const TCommandResult decoded =
            RunIn(s_folder->Path(), "pcxtoppm " + ShellQuote(file.string()) + " >/dev/null");
        EXPECT_EQ(decoded.ExitCode, 0) << file << "\n" << decoded.Output;
    }
    EXPECT_EQ(pcxKinds, (std::set<int>{81, 14})) << "8 bits in one plane and 1 bit in four";
}

TEST_F(TDemoFolder, TunesAreMidiAndWaveFilesNamedAfterGames)
{
    std::set<std::string> listed(s_listed.begin(), s_listed.end());
    std::string waves;
    size_t midis = 0;
    for (const fs::path& file : FilesIn(s_demo / "Sound")) {
        EXPECT_TRUE(listed.count(ZipOf(file))) << file;
        const std::string bytes = ReadBytes(file);
        if (file.extension() == ".mid") {
            ++midis;
            ASSERT_GT(bytes.size(), 22u);
            EXPECT_EQ(bytes.substr(0, 4), "MThd");
            EXPECT_EQ(Big32(bytes, 4), 6u);
            EXPECT_EQ(bytes.substr(14, 4), "MTrk");
            EXPECT_EQ(Big32(bytes, 18), bytes.size() - 22) << "track length";
            EXPECT_EQ(bytes.substr(bytes.size() - 3), std::string("\xFF\x2F\x00", 3)) << "end of track";
        } else {
            EXPECT_EQ(file.extension(), ".wav");
            waves += " " + ShellQuote(file.string());
        }
    }
    EXPECT_GE(midis, 10u);
    ASSERT_FALSE(waves.empty());
    s_folder->WriteFile("check_waves.py",
                        "import sys, wave\n"
                        "for name in sys.argv[1:]:\n"
                        "    w = wave.open(name)\n"
                        "    assert w.getnframes() > 1000 and w.getsampwidth() == 2, name\n"
                        "    assert len(w.readframes(w.getnframes())) == 2 * w.getnframes(), name\n");
    const TCommandResult check = RunIn(s_folder->Path(), "/usr/bin/python3 check_waves.py" + waves);
    EXPECT_EQ(check.ExitCode, 0) << check.Output;
}

TEST_F(TDemoFolder, HelpTextsAreAGuideAndAFaq)
{
    const std::string guide = ReadBytes(s_demo / "VantorKorb.txt");
    const std::string faq = ReadBytes(s_demo / "VantorKorbFaq.txt");
    EXPECT_NE(guide.find("VantorKorb"), std::string::npos);
    EXPECT_GT(SplitLines(guide).size(), 30u);
    EXPECT_GE(std::count(faq.begin(), faq.end(), '?'), 5);
    EXPECT_NE(faq.find("Q: "), std::string::npos);
}
