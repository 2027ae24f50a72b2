#include "controllers/PadMapper.h"

#include <gtest/gtest.h>

namespace {

using C = TPadCommand;
using B = TPadButton;

struct TStep
{
    int64_t Ms;
    enum { Press, Release, Axis, Tick } Kind;
    B Button = B::Other;
    TPadAxis AxisId = TPadAxis::Other;
    int Value = 0;
};

TStep Press(int64_t ms, B button)
{
    return {ms, TStep::Press, button};
}
TStep Release(int64_t ms, B button)
{
    return {ms, TStep::Release, button};
}
TStep Move(int64_t ms, TPadAxis axis, int value)
{
    return {ms, TStep::Axis, B::Other, axis, value};
}
TStep Tick(int64_t ms)
{
    return {ms, TStep::Tick};
}

std::vector<C> Replay(const std::vector<TStep>& steps)
{
    TPadMapper mapper;
    for (const TStep& step : steps) {
        switch (step.Kind) {
        case TStep::Press:
        case TStep::Release:
            mapper.Button(step.Button, step.Kind == TStep::Press, step.Ms);
            break;
        case TStep::Axis:
            mapper.Axis(step.AxisId, step.Value, step.Ms);
            break;
        case TStep::Tick:
            mapper.Tick(step.Ms);
            break;
        }
    }
    return mapper.TakeCommands();
}

struct TCase
{
    const char* Name;
    std::vector<TStep> Steps;
    std::vector<C> Expected;
};

TEST(PadMapper, ButtonsHeldSticksAndTheEndHold)
{
    const TCase cases[] = {
        {"face and shoulder buttons act once per press",
         {Press(0, B::A), Tick(900), Release(950, B::A), Press(1000, B::B), Press(1001, B::X),
          Press(1002, B::Y), Press(1003, B::LeftShoulder), Press(1004, B::RightShoulder),
          Press(1005, B::Guide)},
         {C::Start, C::Back, C::Favourite, C::Random, C::PageUp, C::PageDown}},
        {"a held arrow repeats after 400 ms, then every 80 ms",
         {Press(0, B::DpadDown), Tick(399), Tick(400), Tick(479), Tick(480), Tick(560),
          Release(600, B::DpadDown), Tick(2000)},
         {C::Down, C::Down, C::Down, C::Down}},
        {"a late tick gives one step, not a burst",
         {Press(0, B::DpadUp), Tick(1000), Tick(1079)},
         {C::Up, C::Up}},
        {"a second arrow takes over; letting it go goes back to the first",
         {Press(0, B::DpadLeft), Press(100, B::DpadRight), Tick(450), Release(500, B::DpadRight), Tick(850),
          Tick(900)},
         {C::Left, C::Right, C::Left, C::Left}},
        {"the left stick moves with hysteresis along its stronger axis",
         {Move(0, TPadAxis::LeftY, 15000), Move(10, TPadAxis::LeftY, 20000), Move(20, TPadAxis::LeftX, 9000),
          Move(30, TPadAxis::LeftY, 9000), Tick(410), Move(500, TPadAxis::LeftY, 7000),
          Move(510, TPadAxis::LeftX, -30000)},
         {C::Down, C::Down, C::Left}},
        {"the right stick and the triggers step screenshots once per push",
         {Move(0, TPadAxis::RightX, 20000), Move(10, TPadAxis::RightX, 30000), Tick(2000),
          Move(20, TPadAxis::RightX, 0), Move(30, TPadAxis::RightX, -20000),
          Move(40, TPadAxis::TriggerLeft, 32767), Move(50, TPadAxis::TriggerLeft, 12000),
          Move(60, TPadAxis::TriggerLeft, 0), Move(70, TPadAxis::TriggerRight, 32767)},
         {C::NextShot, C::PreviousShot, C::PreviousShot, C::NextShot}},
        {"Back and Start held a second end a game, once per hold",
         {Press(0, B::Back), Press(500, B::Start), Tick(1499), Tick(1500), Tick(3000), Release(3100, B::Back),
          Press(3200, B::Back), Tick(4199), Tick(4200)},
         {C::EndGame, C::EndGame}},
        {"Back or Start alone does nothing", {Press(0, B::Start), Tick(5000), Press(6000, B::Back)}, {}},
        {"letting go before the second is up ends nothing",
         {Press(0, B::Start), Press(0, B::Back), Release(999, B::Start), Tick(1000), Tick(5000)},
         {}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(Replay(c.Steps), c.Expected) << c.Name;
    }
}

TEST(PadMapper, AnUnpluggedPadLeavesNothingHeld)
{
    TPadMapper mapper;
    mapper.Button(B::DpadDown, true, 0);
    mapper.Button(B::Back, true, 0);
    mapper.Button(B::Start, true, 0);
    mapper.Reset();
    mapper.Tick(5000);
    EXPECT_TRUE(mapper.TakeCommands().empty());
}

} // namespace
