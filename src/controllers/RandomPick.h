#pragma once
// "Random Game": picks one of the games offered, never the one it picked last while there is another.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

class TRandomPick
{
public:
    explicit TRandomPick(uint32_t seed = std::random_device{}());

    // Index into candidates (zip names, compared without regard to letter case), or -1 when empty.
    int Pick(const std::vector<std::string>& candidates);

private:
    std::mt19937 m_engine;
    std::string m_last;
};
