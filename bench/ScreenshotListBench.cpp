// Selecting a game whose Gameplay folder holds 100,000 files: building its picture list, and the whole
// page update (list, decoding the current picture, placing it).
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include <QImage>

#include "catalogue/GameObject.h"
#include "controllers/ScreenShotViewer.h"
#include "platform/Dialogs.h"
#include "shots/ScreenshotFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFiles = 100000;
constexpr int kOwnShots = 25;

class TSilentDialogs : public TDialogs
{
public:
    TMsgButton ShowMessage(const TMessage& message) override { return message.Buttons.front(); }
    void Beep() override {}
    std::optional<std::string> OpenFile(const TOpenFileRequest&) override { return std::nullopt; }
    std::optional<TFontChoice> ChooseFont(const TFontChoice&) override { return std::nullopt; }
    std::optional<uint32_t> ChooseColour(uint32_t) override { return std::nullopt; }
};

// A catalogue folder made once for all benchmarks and removed at exit.
class TBigFolder
{
public:
    TBigFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "vantorkorb-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_root = pattern;
        fs::create_directories(m_root / "Gameplay");
        fs::create_directories(m_root / "Titles");
        QImage picture(384, 256, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        for (int i = 0; i < kFiles - kOwnShots; ++i)
            std::ofstream(m_root / "Gameplay" /
                          ("game" + std::to_string(i % 4000) + "." + GameplayNumberText(i) + ".pcx"));
        for (int i = 1; i <= kOwnShots; ++i) {
            const fs::path shot = m_root / "Gameplay" / ("abc." + GameplayNumberText(i) + ".png");
            picture.save(QString::fromStdString(shot.string()), "PNG");
        }
        Age(0);
    }
    // Dates the Gameplay folder back so a listing of it may be kept; a new date forces a fresh listing.
    void Age(int step) const
    {
        std::error_code ec;
        fs::last_write_time(
            m_root / "Gameplay",
            fs::file_time_type::clock::now() - std::chrono::hours(1) - std::chrono::seconds(step), ec);
    }
    ~TBigFolder()
    {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    std::string Dir() const { return m_root.string() + "/"; }

private:
    fs::path m_root;
};

const TBigFolder& Folder()
{
    static TBigFolder folder;
    return folder;
}

// Every iteration lists the folder afresh, as the first selection after a start or a launch does.
void BM_BuildScreenshotListFirstTime(benchmark::State& state)
{
    const std::string root = Folder().Dir();
    const TScreenshotDirs dirs{root + "Titles/", root + "Gameplay/", root + "Flyers/", root + "Cabinets/"};
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Folder().Age(++step);
        state.ResumeTiming();
        auto list = BuildScreenshotEntries(dirs, "abc", {});
        if (list.size() != kOwnShots)
            state.SkipWithError("wrong list");
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_BuildScreenshotListFirstTime)->Unit(benchmark::kMillisecond);

// The whole page update when games are selected one after another.
void BM_SelectGame(benchmark::State& state)
{
    const std::string root = Folder().Dir();
    TWorkingPaths paths;
    paths.AppDir = root;
    paths.TitlesDir = root + "Titles/";
    paths.GameplayDir = root + "Gameplay/";
    paths.FlyersDir = root + "Flyers/";
    paths.CabinetsDir = root + "Cabinets/";
    TSilentDialogs dialogs;
    TScreenShotViewer viewer(dialogs);
    viewer.SetPaths(paths);
    viewer.SetPanelSize(QSize(393, 246));
    TGameObject game;
    game.ZipName = "abc";
    viewer.SetCurrentGame(&game);
    for (auto _ : state) {
        game.CurScrShot = 3;
        viewer.LoadNew();
        if (viewer.Picture().isNull())
            state.SkipWithError("no picture shown");
    }
}
BENCHMARK(BM_SelectGame)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
