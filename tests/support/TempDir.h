#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <string>

class TTempDir
{
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The folder as the program writes folders: with a trailing separator.
    std::string Dir() const { return m_path.string() + "/"; }
    // Writes a file below the folder (creating sub-folders) and returns its full path.
    std::string WriteFile(const std::string& relative, const std::string& bytes) const;
    std::string ReadFile(const std::string& relative) const;

private:
    std::filesystem::path m_path;
};

// Changes the working directory for the lifetime of the object.
class TCurrentDirScope
{
public:
    explicit TCurrentDirScope(const std::filesystem::path& dir);
    ~TCurrentDirScope();

private:
    std::filesystem::path m_saved;
};
