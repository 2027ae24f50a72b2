#include "TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TTempDir::TTempDir()
{
    std::string pattern = (fs::temp_directory_path() / "vantorkorb-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

std::string TTempDir::WriteFile(const std::string& relative, const std::string& bytes) const
{
    fs::path full = m_path / relative;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return full.string();
}

std::string TTempDir::ReadFile(const std::string& relative) const
{
    std::ifstream in(m_path / relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TCurrentDirScope::TCurrentDirScope(const fs::path& dir) : m_saved(fs::current_path())
{
    fs::current_path(dir);
}

TCurrentDirScope::~TCurrentDirScope()
{
    std::error_code ec;
    fs::current_path(m_saved, ec);
}
