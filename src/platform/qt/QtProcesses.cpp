#include "platform/qt/QtProcesses.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <functional>

namespace {

constexpr int kPollDone = 0x5eed;
constexpr int kWaitDone = 0x5eee;
constexpr int kPollMilliseconds = 20;

bool IsInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    case QEvent::Close:
        // The close box: a close the program asks for itself is not spontaneous.
        return event.spontaneous();
    default:
        return false;
    }
}

// Eats the user's input for as long as it is installed; the close box may get its own answer.
class TInputDrop : public QObject
{
public:
    explicit TInputDrop(const std::function<void()>& onClose) : m_onClose(onClose) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool closeBox = event->type() == QEvent::Close && event->spontaneous();
        if (closeBox && m_onClose && !m_asking) {
            m_asking = true;
            // Asked from the loop, not from inside the event delivery; the box needs its input.
            QTimer::singleShot(0, this, [this] {
                if (!Finished)
                    m_onClose();
                m_asking = false;
            });
        }
        if (IsInput(*event) && (closeBox || !m_asking)) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

    bool Finished = false; // the run is over: nothing left to ask about

private:
    const std::function<void()>& m_onClose;
    bool m_asking = false;
};

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

void TQtProcesses::WaitWithoutInput(TProcess& process)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || m_quit) {
        process.WaitBlocking();
        return;
    }
    TInputDrop drop(OnCloseDuringRun);
    app->installEventFilter(&drop);
    m_current = &process;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (process.HasEnded())
            loop.exit(kWaitDone);
    });
    poll.start(kPollMilliseconds);
    // An application told to quit ends every loop at once: then the wait can only block.
    if (!process.HasEnded() && loop.exec() != kWaitDone)
        process.WaitBlocking();
    poll.stop();
    m_current = nullptr;
    drop.Finished = true;
    // What arrived during the last moments of the run is dropped too.
    QCoreApplication::processEvents();
    app->removeEventFilter(&drop);
}

void TQtProcesses::EndCurrentRun()
{
    if (m_current)
        m_current->RequestEnd();
}
