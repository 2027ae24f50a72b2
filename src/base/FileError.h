#pragma once
// The error that file reads and writes raise; its text is what the general error report shows.

#include <stdexcept>
#include <string>

class TFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
