#include "controllers/RandomPick.h"

#include "base/AsciiText.h"

TRandomPick::TRandomPick(uint32_t seed) : m_engine(seed) {}

int TRandomPick::Pick(const std::vector<std::string>& candidates)
{
    if (candidates.empty()) {
        return -1;
    }
    std::vector<int> choice;
    choice.reserve(candidates.size());
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (!SameTextAscii(candidates[i], m_last)) {
            choice.push_back(int(i));
        }
    }
    // Only the last one is offered: it is the one there is.
    if (choice.empty()) {
        choice.push_back(0);
    }
    const int index = choice[std::uniform_int_distribution<size_t>(0, choice.size() - 1)(m_engine)];
    m_last = candidates[index];
    return index;
}
