// Qt's file dialog keeps its history in the user's configuration folder unless told otherwise.
#include <filesystem>

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "ui/Application.h"

TEST(QtSettingsFolderTest, TheFileDialogsHistoryStaysOutOfTheUsersConfiguration)
{
    const std::filesystem::path userFile =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
        "/QtProject.conf";
    const bool existedBefore = std::filesystem::exists(userFile);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    KeepQtSettingsIn(folder.path());
    {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setDirectory(folder.path());
        QTimer::singleShot(0, &dialog, &QDialog::reject); // accept() would enter the folder
        dialog.exec();
    }
    EXPECT_TRUE(std::filesystem::exists(folder.path().toStdString() + "/QtProject.conf"));
    if (!existedBefore) {
        EXPECT_FALSE(std::filesystem::exists(userFile));
    }
}
