#pragma once
// What the tests of the built program in a real X server share: where it is, the tools they need, a
// small emulator that answers the listing as korb.exe does.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline const std::string kProgram = std::string(KORB_BINARY_DIR) + "/vantorkorb";

inline bool OnPath(const std::string& tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Answers the listing with CR LF line ends, as korb.exe does.
inline const char* const kEmulator =
    "#!/bin/sh\n"
    "if [ \"$1\" = \"-list\" ]; then\n"
    "  printf 'Korb stand-in\\r\\nSupported games:\\r\\nalpha beta\\r\\ngamma\\r\\n'\n"
    "fi\n";
