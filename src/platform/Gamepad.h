#pragma once
// The buttons and axes of a game controller, as every pad reports them once its layout is known.

enum class TPadButton {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    Other
};

// Sticks run from -32768 to 32767 (up and left negative), triggers from 0 to 32767.
enum class TPadAxis { LeftX, LeftY, RightX, RightY, TriggerLeft, TriggerRight, Other };
