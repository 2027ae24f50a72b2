#pragma once
// What the Settings tab edits and decides without its controls: the current record (a game's or the
// temporary "Default" one), whether its file could be read, and the loads and saves of its settings file.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "catalogue/GameObject.h"
#include "catalogue/GameSettings.h"

class TSettingsEditor
{
public:
    TSettingsEditor();
    ~TSettingsEditor();

    // Receives the text of every failed read or write; the edit goes on without it.
    std::function<void(const std::string&)> OnFailure;

    // The folder of the settings files, with its trailing separator.
    void SetIniFilesDir(const std::string& iniFilesDir) { m_iniFilesDir = iniFilesDir; }
    const std::string& IniFilesDir() const { return m_iniFilesDir; }

    // Makes the game (or none) current. Ignored, and false, while the defaults are edited. Records are never
    // read after the next call, so the catalogue may release them then.
    bool ShowGame(TGameObject* game);
    TGameObject* CurrentGame() const { return m_currentGame; }
    // Counts ShowGame calls, ignored ones included.
    unsigned ShowCount() const { return m_showCount; }

    // The current record's settings: its own file's, else the defaults. Nothing when the file cannot be
    // read (reported).
    std::optional<TGameSettingsObject> Load();
    // Stores the settings under the current name; without a current record nothing happens.
    void Save(const TGameSettingsObject& settings);
    // Whether the current game has no settings file of its own; true when that cannot be told (reported).
    bool UsesDefaults() const;
    // Deletes the current game's own file, so that it uses the defaults.
    void UseDefaults();
    // The shown values came from the file: a focus leaving them may store them over it.
    bool SavesOnLeave() const { return m_currentGame && !m_loadFailed; }

    // "Set Default Settings": the temporary "Default" record becomes current. False when already so.
    bool EnterDefaultMode();
    bool DefaultMode() const { return m_defaultMode; }
    // Ends the editing of the defaults and runs announce, in which the window selects again. True when it
    // selected nothing, so that the caller still shows no game.
    bool LeaveDefaultMode(const std::function<void()>& announce);

private:
    void Fail(const std::string& text) const;

    std::string m_iniFilesDir;
    TGameObject* m_currentGame = nullptr;
    // Saves go to this name, so a record released by the catalogue is never read again.
    std::string m_currentZipName;
    std::unique_ptr<TGameObject> m_defaultGame;
    bool m_defaultMode = false;
    unsigned m_showCount = 0;
    bool m_loadFailed = false;
    // Reported once until the game changes or a load or save works again.
    mutable std::string m_lastFailure;
};
