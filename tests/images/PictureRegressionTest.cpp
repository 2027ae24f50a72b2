// Damaged and hostile files kept as named regression cases: each fails cleanly or gives its picture.

#include <fstream>

#include <gtest/gtest.h>

#include "PictureTestTools.h"
#include "images/PictureFormats.h"

TEST(PictureRegression, EveryKeptFileFailsOrGivesItsExpectedSize)
{
    const std::string folder = KORB_TEST_DATA_DIR "/images/";
    std::ifstream expected(folder + "expected.txt");
    std::string name, outcome;
    int cases = 0;
    while (expected >> name >> outcome) {
        ++cases;
        const TPictureResult result = LoadPictureFile(folder + name);
        if (outcome == "fail") {
            EXPECT_FALSE(result.Ok()) << name;
            EXPECT_FALSE(result.Error.empty()) << name;
            EXPECT_TRUE(result.Image.isNull()) << name;
        } else {
            ASSERT_TRUE(result.Ok()) << name << ": " << result.Error;
            const QSize size(result.Image.width(), result.Image.height());
            EXPECT_EQ(std::to_string(size.width()) + "x" + std::to_string(size.height()), outcome) << name;
        }
    }
    EXPECT_GE(cases, 16);
}
