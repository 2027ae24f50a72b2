// Search as you type in the real main window at 100,000 games: a key pressed in the game list, through the
// search field, the model and the title, to the list drawn again. Offscreen unless a display is chosen.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

#include "QtBenchmarkMain.h"
#include "app/Startup.h"
#include "catalogue/GameObject.h"
#include "platform/qt/QtPlatform.h"
#include "ui/GameListModel.h"
#include "ui/GameListView.h"
#include "ui/Main1.h"

namespace fs = std::filesystem;

namespace {
constexpr int kGames = 100000;

// Three words of sixteen and a number, as a large readme's display names are.
void AddGames(TGameObjectList& catalogue)
{
    static const char* const kWords[] = {"Super",  "Pac",   "Man",    "Street", "Fighter", "Turbo",
                                         "Dragon", "Ninja", "Raiden", "Gals",   "Panic",   "Bomber",
                                         "Metal",  "Slug",  "Final",  "Fight"};
    catalogue.Reserve(kGames);
    for (int i = 0; i < kGames; ++i) {
        auto game = std::make_unique<TGameObject>();
        game->GameName = std::string(kWords[(i * 7) % 16]) + " " + kWords[(i * 7 + 3) % 16] + " " +
                         kWords[(i * 7 + 6) % 16] + " " + std::to_string(i % 97);
        game->ZipName = "g" + std::to_string(i);
        game->InstallState = i % 3 == 0 ? kInstalled : kNotInstalled;
        catalogue.AddGame(std::move(game));
    }
}

// What the event loop does between two keys: the search's zero timer, then the list's repaint.
void Settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void Press(QWidget& target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&target, &release);
}

void BM_WindowKeystroke(benchmark::State& state)
{
    const fs::path folder =
        fs::temp_directory_path() / ("vantorkorb-windowsearch-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    {
        TQtPlatform platform;
        const TPlatformServices services = platform.Services();
        TStartup startup(*services.Dialogs, *services.Processes, services.Shell);
        startup.ComputePaths();
        AddGames(startup.Catalogue());
        TMain1 window(services, startup);
        window.resize(1000, 700);
        window.show();
        window.FillGameList();
        Settle();
        QWidget& list = *window.GameList().CurrentView();
        list.setFocus();
        // "street f" typed and erased again, one key per iteration.
        const std::string typed = "street f";
        size_t step = 0;
        int narrowest = window.Model().Count();
        for (auto _ : state) {
            if (step < typed.size()) {
                const QString letter = QString(QChar(typed[step]));
                Press(list, letter == " " ? Qt::Key_Space : Qt::Key_A + (typed[step] - 'a'), letter);
            } else {
                Press(list, Qt::Key_Backspace, QString());
            }
            Settle();
            narrowest = std::min(narrowest, window.Model().Count());
            step = (step + 1) % (2 * typed.size());
        }
        // Proof that the keys reached the search: the fewest games shown after any key.
        state.counters["narrowest"] = narrowest;
        window.close();
    }
    fs::current_path(before);
    fs::remove_all(folder);
}
BENCHMARK(BM_WindowKeystroke)->Unit(benchmark::kMillisecond)->Iterations(64);
} // namespace

int main(int argc, char** argv)
{
    return RunQtBenchmarks(argc, argv, true);
}
