#include "platform/qt/SdlGamepad.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// A pad of SDL's own making, laid out in the controller layer's button and axis order.
class SdlGamepad : public ::testing::Test
{
protected:
    SdlGamepad()
    {
        Listen();
        EXPECT_TRUE(m_pad.Start(1000));
        m_pad.Poll(); // whatever real pads this machine has
        m_events.clear();
    }
    ~SdlGamepad() override
    {
        if (m_index >= 0)
            SDL_JoystickDetachVirtual(m_index);
    }

    void Listen()
    {
        QObject::connect(&m_pad, &TSdlGamepad::Connected,
                         [this](const QString&) { m_events.push_back("connected"); });
        QObject::connect(&m_pad, &TSdlGamepad::Disconnected,
                         [this](const QString&) { m_events.push_back("disconnected"); });
        QObject::connect(&m_pad, &TSdlGamepad::ButtonChanged, [this](TPadButton button, bool pressed) {
            m_events.push_back("button " + std::to_string(int(button)) + (pressed ? " down" : " up"));
        });
        QObject::connect(&m_pad, &TSdlGamepad::AxisMoved, [this](TPadAxis axis, int value) {
            m_events.push_back("axis " + std::to_string(int(axis)) + " " + std::to_string(value));
        });
    }
    void Plug()
    {
        m_index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                            SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(m_index, 0) << SDL_GetError();
        m_pad.Poll();
        m_joystick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(m_index));
        ASSERT_NE(m_joystick, nullptr);
    }

    TSdlGamepad m_pad;
    std::vector<std::string> m_events;
    int m_index = -1;
    SDL_Joystick* m_joystick = nullptr;
};

TEST_F(SdlGamepad, AVirtualPadIsAnnouncedDrivesButtonsAndAxesAndCanBeUnplugged)
{
    EXPECT_EQ(m_pad.PollInterval(), 250) << "without a pad the polls come seldom";
    Plug();
    EXPECT_EQ(m_pad.ConnectedCount(), 1);
    EXPECT_EQ(m_pad.PollInterval(), 1000);
    SDL_JoystickSetVirtualButton(m_joystick, SDL_CONTROLLER_BUTTON_START, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(m_joystick, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_PRESSED);
    m_pad.Poll();
    SDL_JoystickSetVirtualButton(m_joystick, SDL_CONTROLLER_BUTTON_START, SDL_RELEASED);
    SDL_JoystickSetVirtualAxis(m_joystick, SDL_CONTROLLER_AXIS_LEFTY, -20000);
    m_pad.Poll();
    SDL_JoystickDetachVirtual(m_index);
    m_index = -1;
    m_pad.Poll();
    EXPECT_EQ(m_pad.ConnectedCount(), 0);
    EXPECT_EQ(m_pad.PollInterval(), 250);
    const std::string start = std::to_string(int(TPadButton::Start));
    const std::string down = std::to_string(int(TPadButton::DpadDown));
    const std::string leftY = std::to_string(int(TPadAxis::LeftY));
    // Within one poll SDL reports axes first; an unplugged pad lets go of everything it held.
    const std::vector<std::string> expected{
        "connected",
        "button " + start + " down",
        "button " + down + " down",
        "axis " + leftY + " -20000",
        "button " + start + " up",
        "axis " + leftY + " 0",
        "button " + down + " up",
        "disconnected",
    };
    EXPECT_EQ(m_events, expected);
}

} // namespace
