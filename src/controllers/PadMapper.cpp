#include "controllers/PadMapper.h"

#include <cstdlib>

namespace {

constexpr int kNone = -1;

int DirectionOf(TPadButton button)
{
    switch (button) {
    case TPadButton::DpadUp:
        return int(TPadCommand::Up);
    case TPadButton::DpadDown:
        return int(TPadCommand::Down);
    case TPadButton::DpadLeft:
        return int(TPadCommand::Left);
    case TPadButton::DpadRight:
        return int(TPadCommand::Right);
    default:
        return kNone;
    }
}

} // namespace

int TPadMapper::PushOf(int previous, int value)
{
    if (value >= kPushLevel || (previous > 0 && value >= kReleaseLevel)) {
        return 1;
    }
    if (value <= -kPushLevel || (previous < 0 && value <= -kReleaseLevel)) {
        return -1;
    }
    return 0;
}

void TPadMapper::Button(TPadButton button, bool pressed, int64_t nowMs)
{
    if (const int direction = DirectionOf(button); direction != kNone) {
        bool& down = m_dpad[direction - int(TPadCommand::Up)];
        if (down == pressed) {
            return;
        }
        down = pressed;
        if (pressed) {
            SetDirection(Dpad, direction, nowMs);
        } else if (m_direction[Dpad] == direction) {
            // Another arrow still held takes over, as on a keyboard.
            int still = kNone;
            for (int i = 0; i < 4; ++i) {
                still = m_dpad[i] ? int(TPadCommand::Up) + i : still;
            }
            SetDirection(Dpad, still, nowMs);
        }
        return;
    }
    switch (button) {
    case TPadButton::Back:
    case TPadButton::Start:
        (button == TPadButton::Back ? m_back : m_start) = pressed;
        UpdateEndHold(nowMs);
        return;
    default:
        break;
    }
    if (!pressed) {
        return;
    }
    switch (button) {
    case TPadButton::A:
        Emit(TPadCommand::Start);
        break;
    case TPadButton::B:
        Emit(TPadCommand::Back);
        break;
    case TPadButton::X:
        Emit(TPadCommand::Favourite);
        break;
    case TPadButton::Y:
        Emit(TPadCommand::Random);
        break;
    case TPadButton::LeftShoulder:
        Emit(TPadCommand::PageUp);
        break;
    case TPadButton::RightShoulder:
        Emit(TPadCommand::PageDown);
        break;
    default:
        break;
    }
}

void TPadMapper::Axis(TPadAxis axis, int value, int64_t nowMs)
{
    switch (axis) {
    case TPadAxis::LeftX:
    case TPadAxis::LeftY: {
        (axis == TPadAxis::LeftX ? m_stickX : m_stickY) = value;
        const int previous = m_direction[Stick];
        if (previous != kNone && StickStillHolds(previous)) {
            return;
        }
        // The axis pushed further decides, so a slightly diagonal stick still moves one way.
        int direction = kNone;
        if (std::abs(m_stickX) > std::abs(m_stickY)) {
            if (std::abs(m_stickX) >= kPushLevel) {
                direction = int(m_stickX < 0 ? TPadCommand::Left : TPadCommand::Right);
            }
        } else if (std::abs(m_stickY) >= kPushLevel) {
            direction = int(m_stickY < 0 ? TPadCommand::Up : TPadCommand::Down);
        }
        if (direction != previous) {
            SetDirection(Stick, direction, nowMs);
        }
        return;
    }
    case TPadAxis::RightX: {
        const int push = PushOf(m_rightX, value);
        if (push != 0 && push != m_rightX) {
            Emit(push < 0 ? TPadCommand::PreviousShot : TPadCommand::NextShot);
        }
        m_rightX = push;
        return;
    }
    case TPadAxis::TriggerLeft:
    case TPadAxis::TriggerRight: {
        bool& down = axis == TPadAxis::TriggerLeft ? m_triggerLeft : m_triggerRight;
        const bool now = PushOf(down ? 1 : 0, value) > 0;
        if (now && !down) {
            Emit(axis == TPadAxis::TriggerLeft ? TPadCommand::PreviousShot : TPadCommand::NextShot);
        }
        down = now;
        return;
    }
    default:
        return;
    }
}

bool TPadMapper::StickStillHolds(int direction) const
{
    switch (TPadCommand(direction)) {
    case TPadCommand::Up:
        return m_stickY <= -kReleaseLevel;
    case TPadCommand::Down:
        return m_stickY >= kReleaseLevel;
    case TPadCommand::Left:
        return m_stickX <= -kReleaseLevel;
    default:
        return m_stickX >= kReleaseLevel;
    }
}

void TPadMapper::SetDirection(TDirectionSource source, int direction, int64_t nowMs)
{
    m_direction[source] = direction;
    m_directionSince[source] = nowMs;
    UpdateHeldDirection(nowMs);
}

void TPadMapper::UpdateHeldDirection(int64_t nowMs)
{
    // The source moved last leads; the other takes over when it is let go.
    int held = kNone;
    int64_t since = -1;
    for (int source = 0; source < kSourceCount; ++source) {
        if (m_direction[source] != kNone && m_directionSince[source] > since) {
            held = m_direction[source];
            since = m_directionSince[source];
        }
    }
    if (held == m_held) {
        return;
    }
    m_held = held;
    if (held != kNone) {
        Emit(TPadCommand(held));
        m_nextRepeat = nowMs + kRepeatDelayMs;
    }
}

void TPadMapper::UpdateEndHold(int64_t nowMs)
{
    if (m_back && m_start) {
        if (m_bothSince < 0) {
            m_bothSince = nowMs;
        }
    } else {
        m_bothSince = -1;
        m_endSent = false;
    }
}

void TPadMapper::Tick(int64_t nowMs)
{
    if (m_held != kNone && nowMs >= m_nextRepeat) {
        Emit(TPadCommand(m_held));
        // A late tick gives one step, not a burst.
        m_nextRepeat = nowMs + kRepeatIntervalMs;
    }
    if (m_bothSince >= 0 && !m_endSent && nowMs - m_bothSince >= kEndGameHoldMs) {
        Emit(TPadCommand::EndGame);
        m_endSent = true;
    }
}

void TPadMapper::Reset()
{
    *this = TPadMapper();
}

std::vector<TPadCommand> TPadMapper::TakeCommands()
{
    std::vector<TPadCommand> commands;
    commands.swap(m_commands);
    return commands;
}
