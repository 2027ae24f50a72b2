#pragma once
// The folders and files every part of the program works with, computed at the start of each load.

#include <string>

// Folders end in the platform separator; paths are joined by plain concatenation.
#ifdef _WIN32
inline constexpr char kPathSep = '\\';
inline constexpr const char* kPathSepText = "\\";
#else
inline constexpr char kPathSep = '/';
inline constexpr const char* kPathSepText = "/";
#endif

struct TWorkingPaths
{
    std::string AppDir;
    std::string GameplayDir;
    std::string TitlesDir;
    std::string CabinetsDir;
    std::string FlyersDir;
    std::string SoundDir;
    std::string MainIniPath;
    std::string BatchPath;
    std::string OutputPath;
    std::string IniFilesDir;
    std::string ListInfoPath;
    std::string EmuDir;
    std::string EmuExe;
    std::string ReadmePath;
    std::string PcxBackDir;
    std::string PcxDir;
};
