#include "platform/HelpDocuments.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

TEST(HelpDocumentsTest, TheFolderCopyComesFirstThenTheInstalledOne)
{
    struct TCase
    {
        bool InFolder;
        bool Installed;
        bool ExpectInstalled;
    };
    for (const TCase& c : {TCase{true, true, false}, TCase{false, true, true}, TCase{false, false, false},
                           TCase{true, false, false}}) {
        TTempDir temp;
        if (c.InFolder)
            temp.WriteFile("emu/VantorKorbFaq.txt", "own");
        else
            temp.WriteFile("emu/korb.exe", "");
        if (c.Installed)
            temp.WriteFile("doc/VantorKorbFaq.txt", "installed");
        const std::string folder = temp.Dir() + "emu/";
        const std::string installed = temp.Dir() + "doc/";
        EXPECT_EQ(HelpDocumentPath(folder, "VantorKorbFaq.txt", installed),
                  (c.ExpectInstalled ? installed : folder) + "VantorKorbFaq.txt")
            << c.InFolder << c.Installed;
    }
}

TEST(HelpDocumentsTest, InstalledFolderLiesBesideTheProgramsFolder)
{
    const std::string folder = InstalledDocumentFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(folder.ends_with("/share/doc/vantorkorb/")) << folder;
}
