#pragma once
// Closes a window the normal way when the process gets SIGTERM, SIGINT or SIGHUP, so its settings are saved.

#include <QObject>

class QSocketNotifier;
class QWidget;
class TStartup;

class TSignalCloser : public QObject
{
    Q_OBJECT
public:
    // One instance per process; the handlers only write a byte, the close runs in the event loop. When
    // startup is given, the errors of a close by signal go to standard error: nobody may be there to
    // answer a box.
    explicit TSignalCloser(QWidget& window, TStartup* startup = nullptr);
    ~TSignalCloser() override;

    int SignalsReceived() const { return m_received; }
    bool ClosePending() const { return m_pending; }

    // While one exists (start-up, a launch, a reload) a signal is only remembered; the close follows from
    // the event loop once the last one has ended, never in the middle of what they guard.
    class THold
    {
    public:
        THold();
        ~THold();
        THold(const THold&) = delete;
        THold& operator=(const THold&) = delete;
    };

private:
    void SignalArrived();
    void CloseWindow();
    void Released();

    QWidget& m_window;
    TStartup* m_startup;
    QSocketNotifier* m_notifier = nullptr;
    int m_received = 0;
    bool m_pending = false;
};
