#include "SimOptions.h"

#include <charconv>
#include <functional>
#include <map>

#include "SimText.h"

namespace {

bool ParseResolution(const std::string& text, TSimOptions& options)
{
    const auto cross = text.find('x');
    if (cross == std::string::npos)
        return false;
    int width = 0, height = 0;
    if (!ParseInt(text.substr(0, cross), 1, 99999, width) ||
        !ParseInt(text.substr(cross + 1), 1, 99999, height))
        return false;
    options.Resolution = text;
    options.Width = width;
    options.Height = height;
    return true;
}

// "1.5", "0.5", "10.0": whole part and at most one decimal, as the front-end writes tenths.
bool ParseGamma(const std::string& text, TSimOptions& options)
{
    const auto dot = text.find('.');
    int whole = 0, tenth = 0;
    if (!ParseInt(text.substr(0, dot), 0, 100, whole))
        return false;
    if (dot != std::string::npos) {
        const std::string fraction = text.substr(dot + 1);
        if (fraction.size() != 1 || !ParseInt(fraction, 0, 9, tenth))
            return false;
    }
    options.GammaTenths = whole * 10 + tenth;
    return true;
}

using TValueParser = std::function<bool(const std::string&, TSimOptions&)>;

const std::map<std::string, TValueParser>& ValueOptions()
{
    static const std::map<std::string, TValueParser> options{
        {"-res", ParseResolution},
        {"-gamma", ParseGamma},
        {"-r", [](const std::string& v, TSimOptions& o) { return ParseInt(v, 4000, 96000, o.SamplingRate); }},
        {"-qf",
         [](const std::string& v, TSimOptions& o) {
             int button = 0;
             if (!ParseInt(v, 1, 4, button))
                 return false;
             o.QuickFire[button - 1] = true;
             return true;
         }},
        {"-skip", [](const std::string& v, TSimOptions& o) { return ParseInt(v, 0, 9, o.FrameSkip); }},
        {"-int", [](const std::string& v, TSimOptions& o) { return ParseInt(v, 0, 1000, o.InterruptRate); }},
        {"-cpu", [](const std::string& v, TSimOptions& o) { return ParseInt(v, 0, 1000, o.V30CpuClock); }},
    };
    return options;
}

bool ApplyFlag(const std::string& option, TSimOptions& options)
{
    if (option == "-vert")
        options.VerticalDisplay = true;
    else if (option == "-vsync")
        options.Vsync = true;
    else if (option == "-scanlines")
        options.ScanLines = true;
    else if (option == "-nojoy")
        options.Joystick = false;
    else if (option == "-ppro")
        options.PproOptimized = true;
    else if (option == "-perf")
        options.PerfCounter = true;
    else
        return false;
    return true;
}

} // namespace

TSimOptions ParseSimArguments(const std::vector<std::string>& arguments)
{
    TSimOptions options;
    if (arguments.empty() || arguments[0].empty() || arguments[0][0] == '-') {
        options.Error = "cannot start without a game name as the first argument";
        return options;
    }
    options.ZipName = arguments[0];
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (ApplyFlag(option, options))
            continue;
        const auto parser = ValueOptions().find(option);
        if (parser == ValueOptions().end()) {
            options.Error = "cannot understand the option \"" + option + "\"";
            return options;
        }
        if (i + 1 >= arguments.size()) {
            options.Error = "cannot find the value of the option " + option;
            return options;
        }
        const std::string& value = arguments[++i];
        if (!parser->second(value, options)) {
            options.Error = "cannot use \"" + value + "\" as the value of " + option;
            return options;
        }
    }
    return options;
}
