#include "controllers/SettingsEditor.h"

#include <exception>

#include "catalogue/GameSettingsFiles.h"

TSettingsEditor::TSettingsEditor() = default;
TSettingsEditor::~TSettingsEditor() = default;

void TSettingsEditor::Fail(const std::string& text) const
{
    // A file that stays unreadable would bring its box back after every focus change.
    if (text == m_lastFailure) {
        return;
    }
    m_lastFailure = text;
    if (OnFailure) {
        OnFailure(text);
    }
}

bool TSettingsEditor::ShowGame(TGameObject* game)
{
    ++m_showCount;
    if (m_defaultMode) {
        return false;
    }
    if (game != m_currentGame) {
        m_lastFailure.clear();
    }
    m_currentGame = game;
    m_currentZipName = game ? game->ZipName : std::string();
    return true;
}

std::optional<TGameSettingsObject> TSettingsEditor::Load()
{
    if (!m_currentGame) {
        return std::nullopt;
    }
    TGameSettingsObject settings;
    try {
        LoadSettings(settings, m_iniFilesDir, EffectiveSettingsName(*m_currentGame, m_iniFilesDir));
    } catch (const std::exception& error) {
        m_loadFailed = true;
        Fail(error.what());
        return std::nullopt;
    }
    m_loadFailed = false;
    m_lastFailure.clear();
    return settings;
}

void TSettingsEditor::Save(const TGameSettingsObject& settings)
{
    if (!m_currentGame) {
        return;
    }
    try {
        SaveSettings(settings, m_iniFilesDir, m_currentZipName);
        m_lastFailure.clear();
    } catch (const std::exception& error) {
        Fail(error.what());
    }
}

bool TSettingsEditor::UsesDefaults() const
{
    try {
        return !m_currentGame || UsesDefaultSettings(*m_currentGame, m_iniFilesDir);
    } catch (const std::exception& error) {
        Fail(error.what());
    }
    return true;
}

void TSettingsEditor::UseDefaults()
{
    if (!m_currentGame) {
        return;
    }
    try {
        SetUseDefaultSettings(*m_currentGame, m_iniFilesDir, true);
    } catch (const std::exception& error) {
        Fail(error.what());
    }
}

bool TSettingsEditor::EnterDefaultMode()
{
    if (m_defaultMode) {
        return false;
    }
    m_defaultGame = std::make_unique<TGameObject>();
    m_defaultGame->ZipName = kDefaultSettingsName;
    m_defaultGame->GameName = "Unknown";
    m_defaultGame->CurScrShot = 0;
    m_defaultGame->InstallState = kNotInstalled;
    m_currentGame = m_defaultGame.get();
    m_currentZipName = kDefaultSettingsName;
    m_defaultMode = true;
    return true;
}

bool TSettingsEditor::LeaveDefaultMode(const std::function<void()>& announce)
{
    m_currentGame = nullptr;
    m_currentZipName.clear();
    m_defaultGame.reset();
    m_defaultMode = false;
    const unsigned shownBefore = m_showCount;
    if (announce) {
        announce();
    }
    return m_showCount == shownBefore;
}
