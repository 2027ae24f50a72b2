// Error boxes raised before the window is on screen wait for it.
#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include "support/FakeDialogs.h"
#include "ui/BoxesAfterShow.h"

TEST(BoxesAfterShow, AnErrorBeforeTheWindowIsShownWaitsForItAndAQuestionDoesNot)
{
    TFakeDialogs dialogs;
    dialogs.Answers = {TMsgButton::No};
    QWidget window;
    auto* page = new QWidget(&window);
    TBoxesAfterShow boxes(dialogs, *page);
    EXPECT_EQ(boxes.ShowMessage({"Error", "Invalid file format !", TMsgIcon::Error, {TMsgButton::Ok}}),
              TMsgButton::Ok);
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(boxes.ShowMessage({"Confirm", "Sure?", TMsgIcon::Question, {TMsgButton::Yes, TMsgButton::No}}),
              TMsgButton::No)
        << "an answer cannot wait";
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    window.show();
    QApplication::processEvents();
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Text, "Invalid file format !");
    boxes.ShowMessage({"Error", "later", TMsgIcon::Error, {TMsgButton::Ok}});
    EXPECT_EQ(dialogs.Messages.size(), 3u) << "once the window is up, at once";
}
