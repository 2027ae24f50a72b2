#include "platform/qt/SdlGamepad.h"

#include <QTimer>

#include <SDL.h>

namespace {

TPadButton ButtonOf(Uint8 button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
        return TPadButton::A;
    case SDL_CONTROLLER_BUTTON_B:
        return TPadButton::B;
    case SDL_CONTROLLER_BUTTON_X:
        return TPadButton::X;
    case SDL_CONTROLLER_BUTTON_Y:
        return TPadButton::Y;
    case SDL_CONTROLLER_BUTTON_BACK:
        return TPadButton::Back;
    case SDL_CONTROLLER_BUTTON_GUIDE:
        return TPadButton::Guide;
    case SDL_CONTROLLER_BUTTON_START:
        return TPadButton::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK:
        return TPadButton::LeftStick;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK:
        return TPadButton::RightStick;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return TPadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return TPadButton::RightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return TPadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return TPadButton::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return TPadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return TPadButton::DpadRight;
    default:
        return TPadButton::Other;
    }
}

TPadAxis AxisOf(Uint8 axis)
{
    switch (axis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
        return TPadAxis::LeftX;
    case SDL_CONTROLLER_AXIS_LEFTY:
        return TPadAxis::LeftY;
    case SDL_CONTROLLER_AXIS_RIGHTX:
        return TPadAxis::RightX;
    case SDL_CONTROLLER_AXIS_RIGHTY:
        return TPadAxis::RightY;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
        return TPadAxis::TriggerLeft;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
        return TPadAxis::TriggerRight;
    default:
        return TPadAxis::Other;
    }
}

QString NameOf(SDL_GameController* pad)
{
    const char* name = SDL_GameControllerName(pad);
    return name && *name ? QString::fromUtf8(name) : QStringLiteral("Game controller");
}

} // namespace

TSdlGamepad::TSdlGamepad(QObject* parent) : QObject(parent), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &TSdlGamepad::Poll);
}

TSdlGamepad::~TSdlGamepad()
{
    if (!m_started) {
        return;
    }
    for (const auto& [id, pad] : m_pads) {
        SDL_GameControllerClose(pad);
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool TSdlGamepad::Start(int intervalMs, int withoutPadMs)
{
    if (m_started) {
        return true;
    }
    // The pad must end a game while the emulator's window has the focus; SIGTERM and SIGINT stay ours.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        return false;
    }
    m_started = true;
    SDL_GameControllerEventState(SDL_ENABLE);
    m_interval = intervalMs;
    m_withoutPadInterval = withoutPadMs;
    // Pads present at the start are announced as added by the first poll.
    m_timer->start(intervalMs);
    return true;
}

void TSdlGamepad::Poll()
{
    if (!m_started) {
        return;
    }
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERDEVICEREMAPPED) >
           0) {
        switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            Open(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            Close(event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            if (m_pads.count(event.cbutton.which)) {
                emit ButtonChanged(ButtonOf(event.cbutton.button), event.cbutton.state == SDL_PRESSED);
            }
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (m_pads.count(event.caxis.which)) {
                emit AxisMoved(AxisOf(event.caxis.axis), event.caxis.value);
            }
            break;
        default:
            break;
        }
    }
    // Nobody else reads SDL's queue: what is left (raw joystick events, audio devices) would only pile up.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    const int interval = m_pads.empty() ? m_withoutPadInterval : m_interval;
    if (m_timer->interval() != interval)
        m_timer->setInterval(interval);
    emit Polled();
}

int TSdlGamepad::PollInterval() const
{
    return m_timer->interval();
}

void TSdlGamepad::Open(int deviceIndex)
{
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) {
        return;
    }
    const int id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    if (m_pads.count(id)) {
        // Opened twice (added while already listed): SDL counts the opens.
        SDL_GameControllerClose(pad);
        return;
    }
    m_pads[id] = pad;
    emit Connected(NameOf(pad));
}

void TSdlGamepad::Close(int instanceId)
{
    const auto found = m_pads.find(instanceId);
    if (found == m_pads.end()) {
        return;
    }
    const QString name = NameOf(found->second);
    SDL_GameControllerClose(found->second);
    m_pads.erase(found);
    emit Disconnected(name);
}
