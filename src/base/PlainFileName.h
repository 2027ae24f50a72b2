#pragma once
// A zip name becomes part of many paths (archives, settings, pictures, sounds). Only a plain name of one
// folder entry may do so: anything else could address a file outside the folder meant.

#include <string_view>

// False for an empty name, ".", "..", and a name holding a separator ('/' or '\\') or a NUL byte.
constexpr bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (char c : name) {
        if (c == '/' || c == '\\' || c == '\0')
            return false;
    }
    return true;
}
