// Enter in a main window presses its default button, wherever the focus is, but not in other windows.
#include "ui/DefaultButtonKeys.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

namespace {

class DefaultButtonKeys : public ::testing::Test
{
protected:
    DefaultButtonKeys()
    {
        auto* central = new QWidget(&m_window);
        auto* layout = new QVBoxLayout(central);
        m_tabs = new QTabBar(central);
        m_tabs->addTab("Screenshot");
        m_tabs->addTab("Settings");
        m_tabs->setFocusPolicy(Qt::StrongFocus);
        m_edit = new QLineEdit(central);
        m_combo = new QComboBox(central);
        m_combo->setEditable(true);
        m_combo->addItems({"Default", "640x480"});
        layout->addWidget(m_tabs);
        layout->addWidget(m_edit);
        layout->addWidget(m_combo);
        m_window.setCentralWidget(central);
        m_window.menuBar()->addMenu("&View");
        m_window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m_window));
        // Made after the window is shown, as the main window makes it in its creation.
        m_keys = new TDefaultButtonKeys(&m_window, [this] { ++m_presses; });
    }

    QMainWindow m_window;
    QTabBar* m_tabs = nullptr;
    QLineEdit* m_edit = nullptr;
    QComboBox* m_combo = nullptr;
    TDefaultButtonKeys* m_keys = nullptr;
    int m_presses = 0;
};

TEST_F(DefaultButtonKeys, EnterOnAnyControlOfTheWindowPresses)
{
    QTest::keyClick(m_tabs, Qt::Key_Return);
    EXPECT_EQ(m_presses, 1);
    QTest::keyClick(m_edit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(m_presses, 2);
    QTest::keyClick(m_combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(m_presses, 3);
    // The combo box's own list took nothing from it.
    EXPECT_EQ(m_combo->count(), 2);
    QTest::keyClick(&m_window, Qt::Key_Return);
    EXPECT_EQ(m_presses, 4);
}

TEST_F(DefaultButtonKeys, OtherKeysModifiersMenusAndOtherWindowsKeepTheirEnter)
{
    QTest::keyClick(m_tabs, Qt::Key_Right);
    QTest::keyClick(m_edit, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(m_edit, Qt::Key_Return, Qt::ControlModifier);
    // The menu bar driven by keys has the keyboard; what it does not use is not passed on as a press.
    m_window.menuBar()->grabKeyboard();
    QTest::keyClick(m_window.menuBar(), Qt::Key_Return);
    m_window.menuBar()->releaseKeyboard();
    QDialog dialog(&m_window);
    auto* field = new QLineEdit(&dialog);
    QTest::keyClick(field, Qt::Key_Return);
    // An open drop-down list is a window of its own.
    m_combo->showPopup();
    QTest::keyClick(m_combo->view(), Qt::Key_Down);
    QTest::keyClick(m_combo->view(), Qt::Key_Return);
    EXPECT_EQ(m_presses, 0);
    EXPECT_EQ(m_combo->currentText(), "640x480");
}

TEST_F(DefaultButtonKeys, EndsWithItsWindow)
{
    delete m_keys;
    QTest::keyClick(m_tabs, Qt::Key_Return);
    EXPECT_EQ(m_presses, 0);
}

} // namespace
