#include "controllers/GameSound.h"

#include <string>

#include <gtest/gtest.h>

#include "catalogue/GameObject.h"
#include "support/FakeDialogs.h"
#include "support/FakeMedia.h"
#include "support/TempDir.h"

namespace {

class GameSound : public ::testing::Test
{
protected:
    std::string Play(const std::string& zip, TSoundMode mode = TSoundMode::Music)
    {
        TGameObject game;
        game.ZipName = zip;
        m_sound.PlayGameSound(&game, m_dir.Dir(), mode);
        return m_sound.FileName();
    }

    TTempDir m_dir;
    TFakeMedia m_media;
    TFakeDialogs m_dialogs;
    TGameSound m_sound{&m_media, &m_dialogs};
};

} // namespace

TEST_F(GameSound, PlaysTheGamesFileInAnyLetterCase)
{
    m_dir.WriteFile("ABC.MID", "x");
    m_dir.WriteFile("abc.wav", "x");
    EXPECT_EQ(Play("abc"), m_dir.Dir() + "ABC.MID");
    EXPECT_EQ(Play("Abc", TSoundMode::Samples), m_dir.Dir() + "abc.wav");
    EXPECT_EQ(Play("abc", TSoundMode::None), "");
    EXPECT_EQ(m_media.Opened, (std::vector<std::string>{m_dir.Dir() + "ABC.MID", m_dir.Dir() + "abc.wav"}));
}

TEST_F(GameSound, AZipNameThatIsNoPlainFileNamePlaysNothing)
{
    // ".." + ".mid" is "...mid", a plain name of its own; the zip name ".." still addresses nothing.
    m_dir.WriteFile("...mid", "x");
    m_dir.WriteFile("..mid", "x");
    m_dir.WriteFile("sub/abc.mid", "x");
    for (const char* zip : {"..", ".", "sub/abc", "", "sub\\abc"})
        EXPECT_EQ(Play(zip), "") << zip;
    EXPECT_TRUE(m_media.Opened.empty());
}
