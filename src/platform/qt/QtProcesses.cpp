#include "platform/qt/QtProcesses.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int kPollDone = 0x5eed;

// Sees the quit request the platform sends (session end and the like).
class TQuitWatch : public QObject
{
public:
    explicit TQuitWatch(bool& quit) : m_quit(quit) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Quit)
            m_quit = true;
        return QObject::eventFilter(watched, event);
    }

private:
    bool& m_quit;
};

} // namespace

TQtProcesses::TQtProcesses()
{
    if (QCoreApplication* app = QCoreApplication::instance()) {
        m_quitWatch = std::make_unique<TQuitWatch>(m_quit);
        app->installEventFilter(m_quitWatch.get());
        QObject::connect(app, &QCoreApplication::aboutToQuit, m_quitWatch.get(), [this] { m_quit = true; });
    }
}

TQtProcesses::~TQtProcesses()
{
    if (QCoreApplication* app = QCoreApplication::instance(); app && m_quitWatch)
        app->removeEventFilter(m_quitWatch.get());
}

bool TQtProcesses::ProcessPendingEvents()
{
    if (m_quit || !QCoreApplication::instance())
        return !m_quit;
    // A nested loop, unlike processEvents, learns of QCoreApplication::exit: it then ends with another
    // code, or at once with -1 when the exit came earlier.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop] { loop.exit(kPollDone); });
    if (loop.exec() != kPollDone)
        m_quit = true;
    return !m_quit;
}
