#pragma once
// TMain1: the main window as made for korb.exe: the zip-date column and its sort, the logo, the Help items.

#include "ui/MainWindow.h"

class TMain1 : public TMain
{
    Q_OBJECT
public:
    TMain1(const TPlatformServices& services, TStartup& startup, QWidget* parent = nullptr);

    void MenuKorbReadmeClick();
    void MenuKorbHomepageClick();
    void MenuVantorKorbReadmeClick();
    void MenuVantorKorbFaqClick();
    void MenuVantorKorbHomepageClick();
    void MenuUrlClick(QAction* item);
    void MenuAboutClick();

signals:
    // "About ...": the about box shows in the connected slot.
    void AboutRequested();

private:
    void CreateHelpItems();
    void OpenWithShell(const std::string& target);
};

// Addresses the Help menu opens.
// The emulator has no home page to offer: its item stays disabled.
inline constexpr const char* kKorbHomepage = "";
