#include "ui/Main1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QStyle>

#include "app/Startup.h"
#include "base/Version.h"
#include "platform/HelpDocuments.h"
#include "platform/Shell.h"
#include "ui/MainMenuBar.h"
#include "ui/Pictures.h"
#include "ui/ToolGlyphs.h"

namespace {
const char* const kEmulationSites[] = {"https://www.mamedev.org", "https://www.zophar.net",
                                       "https://www.system16.com", "https://www.arcade-museum.com",
                                       "https://emulation.gametechwiki.com"};
} // namespace

TMain1::TMain1(const TPlatformServices& services, TStartup& startup, QWidget* parent)
    : TMain(services, startup, parent)
{
    AddListColumn();
    Menus().AddSortItem("MenuSortbyZipdate", "Zipdate");
    AddPlayColumns();
    DefaultBackImage().setPixmap(LogoIcon().pixmap(QSize(128, 128), devicePixelRatioF()));
    CreateHelpItems();
}

void TMain1::CreateHelpItems()
{
    QMenu& help = Menus().HelpMenu();
    // Painted at the size shown, so they stay sharp at any screen scale.
    const QIcon document = ToolGlyphIcon(TToolGlyph::Document);
    const QIcon link = ToolGlyphIcon(TToolGlyph::Link);
    QAction* item = TMainMenuBar::AddItem(help, "MenuKorbReadme", "Korb Readme");
    item->setIcon(document);
    connect(item, &QAction::triggered, this, &TMain1::MenuKorbReadmeClick);
    item = TMainMenuBar::AddItem(help, "MenuKorbHomepage", "Korb Homepage");
    item->setEnabled(false);
    item->setToolTip("Not Available at the moment");
    item->setStatusTip("Not Available at the moment");
    connect(item, &QAction::triggered, this, &TMain1::MenuKorbHomepageClick);
    item = TMainMenuBar::AddItem(help, "MenuVantorKorbReadme", "VantorKorb Readme");
    item->setIcon(document);
    connect(item, &QAction::triggered, this, &TMain1::MenuVantorKorbReadmeClick);
    item = TMainMenuBar::AddItem(help, "MenuVantorKorbFaq", "VantorKorb Faq");
    item->setIcon(document);
    connect(item, &QAction::triggered, this, &TMain1::MenuVantorKorbFaqClick);
    item = TMainMenuBar::AddItem(help, "MenuVantorKorbHomepage", "VantorKorb Homepage");
    connect(item, &QAction::triggered, this, &TMain1::MenuVantorKorbHomepageClick);
    if (*kProjectHomepage == '\0') {
        item->setEnabled(false);
        item->setToolTip("Not Available at the moment");
        item->setStatusTip("Not Available at the moment");
    }
    help.addSeparator()->setObjectName("MenuDivN1");
    auto* links = new QActionGroup(this);
    links->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (int i = 0; i < 5; ++i) {
        QAction* site = TMainMenuBar::AddItem(help, QString("MenuUrl%1").arg(i + 1), kEmulationSites[i]);
        site->setIcon(link);
        links->addAction(site);
    }
    connect(links, &QActionGroup::triggered, this, &TMain1::MenuUrlClick);
    help.addSeparator()->setObjectName("MenuDivN2");
    item = TMainMenuBar::AddItem(help, "About1", "About ...");
    item->setIcon(AppIcon());
    connect(item, &QAction::triggered, this, &TMain1::MenuAboutClick);
}

void TMain1::OpenWithShell(const std::string& target)
{
    // The outcome is the desktop's business: a missing document is its program's to report.
    m_shell.OpenWithShell(target);
}

void TMain1::MenuKorbReadmeClick()
{
    OpenWithShell(m_session.Paths.ReadmePath);
}

void TMain1::MenuKorbHomepageClick()
{
    OpenWithShell(kKorbHomepage);
}

void TMain1::MenuVantorKorbReadmeClick()
{
    OpenWithShell(HelpDocumentPath(m_session.Paths.AppDir, "VantorKorb.txt"));
}

void TMain1::MenuVantorKorbFaqClick()
{
    OpenWithShell(HelpDocumentPath(m_session.Paths.AppDir, "VantorKorbFaq.txt"));
}

void TMain1::MenuVantorKorbHomepageClick()
{
    if (*kProjectHomepage != '\0')
        OpenWithShell(kProjectHomepage);
}

void TMain1::MenuUrlClick(QAction* item)
{
    OpenWithShell(item->text().toStdString());
}

void TMain1::MenuAboutClick()
{
    emit AboutRequested();
}
