#pragma once
// What the window is asked to do when game-controller buttons are pressed, held and released. Time comes
// from the caller in milliseconds, so held buttons repeat on the caller's clock.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/Gamepad.h"

enum class TPadCommand {
    Up,
    Down,
    Left,
    Right,
    Start,
    Back,
    Favourite,
    Random,
    PageUp,
    PageDown,
    PreviousShot,
    NextShot,
    EndGame
};

class TPadMapper
{
public:
    static constexpr int64_t kRepeatDelayMs = 400;
    static constexpr int64_t kRepeatIntervalMs = 80;
    static constexpr int64_t kEndGameHoldMs = 1000;
    // A stick counts as pushed beyond this and as back once it is under the release level.
    static constexpr int kPushLevel = 16000;
    static constexpr int kReleaseLevel = 8000;

    void Button(TPadButton button, bool pressed, int64_t nowMs);
    void Axis(TPadAxis axis, int value, int64_t nowMs);
    // Repeats held directions and ends a game once Back and Start have been held long enough.
    void Tick(int64_t nowMs);
    // Everything held is let go without commands: a pad was unplugged.
    void Reset();
    std::vector<TPadCommand> TakeCommands();

private:
    enum TDirectionSource { Dpad, Stick, kSourceCount };
    // An axis pushed to one side: -1, 0 or +1, with hysteresis.
    static int PushOf(int previous, int value);
    bool StickStillHolds(int direction) const;
    void SetDirection(TDirectionSource source, int direction, int64_t nowMs);
    void UpdateHeldDirection(int64_t nowMs);
    void UpdateEndHold(int64_t nowMs);
    void Emit(TPadCommand command) { m_commands.push_back(command); }

    std::vector<TPadCommand> m_commands;
    // Per source the direction held (a TPadCommand of Up..Right, or -1) and when it was pushed.
    std::array<int, kSourceCount> m_direction{-1, -1};
    std::array<int64_t, kSourceCount> m_directionSince{};
    std::array<bool, 4> m_dpad{};
    int m_stickX = 0, m_stickY = 0;
    int m_rightX = 0;
    bool m_triggerLeft = false, m_triggerRight = false;
    // The direction that repeats and when it repeats next.
    int m_held = -1;
    int64_t m_nextRepeat = 0;
    bool m_back = false, m_start = false;
    int64_t m_bothSince = -1;
    bool m_endSent = false;
};
