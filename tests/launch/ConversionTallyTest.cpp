#include "launch/ConversionTally.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

TWorkingPaths PathsIn(const TTempDir& temp)
{
    TWorkingPaths paths;
    paths.TitlesDir = temp.Dir() + "Titles/";
    paths.FlyersDir = temp.Dir() + "Flyers/";
    paths.CabinetsDir = temp.Dir() + "Cabinets/";
    paths.GameplayDir = temp.Dir() + "Gameplay/";
    return paths;
}

} // namespace

TEST(ConversionTallyTest, CountsWhatBecamePngAndWhyTheRestStayed)
{
    TTempDir temp;
    temp.WriteFile("Gameplay/a.001.pcx", "x");
    temp.WriteFile("Gameplay/b.001.PCX", "x");
    temp.WriteFile("Titles/c.pcx", "x");
    temp.WriteFile("Titles/c.png", "old");
    temp.WriteFile("Flyers/d.jpg", "x");
    temp.WriteFile("Flyers/notes.txt", "x");
    const TConversionTally tally(PathsIn(temp));
    // What the converter would do: two converted (one source deleted, one kept), one it could not read.
    std::filesystem::remove(temp.Path() / "Gameplay/a.001.pcx");
    temp.WriteFile("Gameplay/a.001.png", "new");
    temp.WriteFile("Gameplay/b.001.png", "new");
    const TConversionTally::TResult result = tally.Count();
    EXPECT_EQ(result.Converted, 2);
    EXPECT_EQ(result.BesidePng, 1);
    EXPECT_EQ(result.Unconverted, 1);
}

TEST(ConversionTallyTest, TheTextNamesOnlyTheReasonsThatOccurred)
{
    EXPECT_EQ(TConversionTally::Text({1, 0, 0}), "Converted 1 picture to PNG.");
    EXPECT_EQ(
        TConversionTally::Text({0, 2, 0}),
        "Converted 0 pictures to PNG.\r2 pictures stayed: 2 beside a PNG of the same name, which is never "
        "replaced.");
    EXPECT_EQ(
        TConversionTally::Text({5, 1, 1}),
        "Converted 5 pictures to PNG.\r2 pictures stayed: 1 beside a PNG of the same name, which is never "
        "replaced; 1 the converter could not read or turn into PNG.");
}
