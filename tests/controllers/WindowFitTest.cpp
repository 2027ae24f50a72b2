#include "controllers/WindowFit.h"

#include <gtest/gtest.h>

namespace {

const QMargins kFrame(4, 24, 4, 4);
const QSize kMinimum(148, 140);

} // namespace

TEST(WindowFitTest, AStoredSizeShrinksToTheFreeAreaAndNeverBelowTheMinimum)
{
    struct TCase
    {
        QSize Wanted;
        QRect Available;
        QSize Expected;
    };
    const TCase cases[] = {
        {{800, 600}, {0, 0, 1920, 1050}, {800, 600}},   {{1800, 1000}, {0, 0, 1024, 768}, {1016, 740}},
        {{1800, 500}, {0, 30, 1024, 738}, {1016, 500}}, {{900, 600}, {0, 0, 960, 540}, {900, 512}},
        {{800, 600}, {0, 0, 100, 100}, kMinimum},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FitClientToScreen(c.Wanted, kMinimum, kFrame, c.Available), c.Expected) << c.Wanted.width();
}

TEST(WindowFitTest, TheFrameIsCentredButNeverStartsAboveOrLeftOfTheArea)
{
    EXPECT_EQ(CentredFramePosition({824, 628}, {0, 0, 1024, 768}), QPoint(100, 70));
    EXPECT_EQ(CentredFramePosition({1024, 738}, {0, 30, 1024, 738}), QPoint(0, 30));
    EXPECT_EQ(CentredFramePosition({1200, 900}, {1920, 0, 1024, 768}), QPoint(1920, 0));
}
