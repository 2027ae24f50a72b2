#pragma once
// Game controllers through SDL's game-controller layer and its database of pad layouts, polled from the Qt
// event loop. Pads may come and go at any time; events keep arriving while another program has the focus.

#include <map>

#include <QObject>
#include <QString>

#include "platform/Gamepad.h"

class QTimer;
struct _SDL_GameController;

class TSdlGamepad : public QObject
{
    Q_OBJECT
public:
    explicit TSdlGamepad(QObject* parent = nullptr);
    ~TSdlGamepad() override;

    // Starts SDL's controller layer and the polling; false (and nothing polled) when SDL cannot. Without
    // a pad the polls only watch for one plugged in, and come seldom: they would wake an idle machine.
    bool Start(int intervalMs = 15, int withoutPadMs = 250);
    // Handles what SDL has queued since the last call; the timer calls it.
    void Poll();
    int ConnectedCount() const { return int(m_pads.size()); }
    int PollInterval() const;

signals:
    void Connected(const QString& name);
    void Disconnected(const QString& name);
    void ButtonChanged(TPadButton button, bool pressed);
    void AxisMoved(TPadAxis axis, int value);
    // Every poll ends with this, so held buttons can repeat.
    void Polled();

private:
    void Open(int deviceIndex);
    void Close(int instanceId);

    QTimer* m_timer = nullptr;
    bool m_started = false;
    int m_interval = 0;
    int m_withoutPadInterval = 0;
    std::map<int, _SDL_GameController*> m_pads;
};
