// The stand-in emulator: answers the front-end the way korb.exe does.

#include <filesystem>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include "SimRun.h"

namespace {

// The emulator is a DOS-era console program: its lines end in CR LF, and the front-end reads the
// listing by that rule (a line feed alone does not end a line).
class TCrLfBuffer : public std::streambuf
{
public:
    explicit TCrLfBuffer(std::streambuf* target) : m_target(target) {}

protected:
    int overflow(int c) override
    {
        if (c == traits_type::eof())
            return traits_type::not_eof(c);
        if (c == '\n' && m_target->sputc('\r') == traits_type::eof())
            return traits_type::eof();
        return m_target->sputc(char(c));
    }
    int sync() override { return m_target->pubsync(); }

private:
    std::streambuf* m_target;
};

std::string ProgramPath(const char* argv0)
{
    const std::string given = argv0 ? argv0 : "";
    if (given.find('/') != std::string::npos)
        return given;
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

int Dispatch(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "-?")) {
        PrintHelp(std::cout);
        return 0;
    }
    if (arguments.size() == 1 && arguments[0] == "-list") {
        PrintListing(std::cout);
        return 0;
    }
    return RunGame(arguments, LoadSimSettings(ProgramPath(argv[0])), std::cout);
}

} // namespace

int main(int argc, char** argv)
{
    TCrLfBuffer crLf(std::cout.rdbuf());
    std::streambuf* console = std::cout.rdbuf(&crLf);
    const int code = Dispatch(argc, argv);
    std::cout.flush();
    std::cout.rdbuf(console);
    return code;
}
