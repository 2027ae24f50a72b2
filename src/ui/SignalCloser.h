#pragma once
// Closes a window the normal way when the process gets SIGTERM, SIGINT or SIGHUP, so its settings are saved.

#include <QObject>

class QSocketNotifier;
class QWidget;

class TSignalCloser : public QObject
{
    Q_OBJECT
public:
    // One instance per process; the handlers only write a byte, the close runs in the event loop.
    explicit TSignalCloser(QWidget& window);
    ~TSignalCloser() override;

    int SignalsReceived() const { return m_received; }

private:
    void SignalArrived();

    QWidget& m_window;
    QSocketNotifier* m_notifier = nullptr;
    int m_received = 0;
};
