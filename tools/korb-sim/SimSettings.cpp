#include "SimSettings.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SimText.h"

namespace {

constexpr int kMaxRunMilliseconds = 600000;
constexpr int kMaxShots = 50;

std::string Trim(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string normalised = text;
    std::replace(normalised.begin(), normalised.end(), ',', ' ');
    std::istringstream stream(normalised);
    for (std::string word; stream >> word;)
        words.push_back(Lower(word));
    return words;
}

void ApplyValue(TSimSettings& settings, const std::string& key, const std::string& value)
{
    int number = 0;
    if (key == "runmilliseconds" && ParseInt(value, 0, kMaxRunMilliseconds, number))
        settings.RunMilliseconds = number;
    else if (key == "shots" && ParseInt(value, 0, kMaxShots, number))
        settings.Shots = number;
    else if (key == "fail" && ParseInt(value, 0, 1, number))
        settings.Fail = number == 1;
    else if (key == "failgames")
        settings.FailGames = Words(value);
    else if (key == "framerate") {
        char* end = nullptr;
        const double rate = std::strtod(value.c_str(), &end);
        if (!value.empty() && end == value.c_str() + value.size() && rate >= 0 && rate < 10000)
            settings.FrameRate = rate;
    }
}

} // namespace

void ApplySettingsText(TSimSettings& settings, const std::string& text)
{
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '[')
            continue;
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            ApplyValue(settings, Lower(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1)));
    }
}

void ApplyEnvironment(TSimSettings& settings)
{
    const std::pair<const char*, const char*> variables[] = {
        {"KORB_SIM_RUN_MS", "runmilliseconds"},
        {"KORB_SIM_SHOTS", "shots"},
        {"KORB_SIM_FAIL", "fail"},
        {"KORB_SIM_FAIL_GAMES", "failgames"},
        {"KORB_SIM_FRAME_RATE", "framerate"},
    };
    for (const auto& [name, key] : variables) {
        if (const char* value = std::getenv(name))
            ApplyValue(settings, key, Trim(value));
    }
}

TSimSettings LoadSimSettings(const std::string& programPath)
{
    TSimSettings settings;
    std::filesystem::path file;
    if (const char* chosen = std::getenv("KORB_SIM_INI"))
        file = chosen;
    else
        file = std::filesystem::path(programPath).parent_path() / "korb-sim.ini";
    std::ifstream in(file, std::ios::binary);
    if (in) {
        std::ostringstream text;
        text << in.rdbuf();
        ApplySettingsText(settings, text.str());
    }
    ApplyEnvironment(settings);
    return settings;
}
