#pragma once
// Closes a window the normal way when the process gets SIGTERM, SIGINT or SIGHUP, so its settings are saved.

#include <QObject>

class QSocketNotifier;
class QTimer;
class QWidget;
class TDialogs;
class TQtProcesses;
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

    // While a game runs a signal ends it, and the close box asks whether to; the window closes once the
    // run's after-run steps are done.
    void EndRunsWith(TQtProcesses& processes, TDialogs& dialogs);

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SignalArrived();
    void EndBoxes();
    void CloseWindow();
    void Released();
    void AskToEndRun();
    void EndRun();

    QWidget& m_window;
    TStartup* m_startup;
    QSocketNotifier* m_notifier = nullptr;
    TQtProcesses* m_processes = nullptr;
    TDialogs* m_dialogs = nullptr;
    QTimer* m_endRuns = nullptr;
    int m_received = 0;
    bool m_pending = false;
    bool m_bySignal = false;
};
