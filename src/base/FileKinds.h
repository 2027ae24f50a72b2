#pragma once
// What is at a path, asked without opening it: what may be read, and where a write would end up.

#include <string>

// A plain file, links followed; never blocks, whatever the name is (a FIFO, a device, nothing).
bool IsRegularFile(const std::string& path);
// True when path is a symbolic link whose target lies outside the folder that holds the link.
bool IsLinkLeadingOut(const std::string& path);
// The message for a file left alone because it is such a link.
std::string LinkLeftAloneText(const std::string& path);
// The folder part of a path, with its trailing separator; "./" for a bare name.
std::string FolderOf(const std::string& path);
