#include "controllers/KeyOrder.h"

#include <array>
#include <bit>
#include <cstddef>
#include <numeric>
#include <utility>

namespace {
constexpr int kDigitBits = 11;
constexpr size_t kBuckets = size_t(1) << kDigitBits;
constexpr int kDigits = (64 + kDigitBits - 1) / kDigitBits;

size_t DigitOf(uint64_t key, int digit)
{
    return size_t(key >> (digit * kDigitBits)) & (kBuckets - 1);
}
} // namespace

std::vector<int> StableOrderOf(const std::vector<uint64_t>& keys)
{
    const size_t count = keys.size();
    std::vector<std::array<uint32_t, kBuckets>> counts(kDigits);
    for (const uint64_t key : keys) {
        for (int digit = 0; digit < kDigits; ++digit) {
            ++counts[size_t(digit)][DigitOf(key, digit)];
        }
    }
    std::vector<std::pair<uint64_t, int>> items(count), moved(count);
    for (size_t i = 0; i < count; ++i) {
        items[i] = {keys[i], int(i)};
    }
    for (int digit = 0; digit < kDigits; ++digit) {
        std::array<uint32_t, kBuckets>& buckets = counts[size_t(digit)];
        // A digit every key shares orders nothing: small keys cost only the passes their size needs.
        if (count == 0 || buckets[DigitOf(items[0].first, digit)] == count) {
            continue;
        }
        uint32_t start = 0;
        for (uint32_t& bucket : buckets) {
            start += std::exchange(bucket, start);
        }
        for (const auto& item : items) {
            moved[buckets[DigitOf(item.first, digit)]++] = item;
        }
        items.swap(moved);
    }
    std::vector<int> order(count);
    for (size_t i = 0; i < count; ++i) {
        order[i] = items[i].second;
    }
    return order;
}

uint64_t OrderedKey(int64_t value)
{
    return std::bit_cast<uint64_t>(value) ^ (uint64_t(1) << 63);
}

uint64_t OrderedKey(double value)
{
    // IEEE order: positive numbers order as their bits do, negative ones in reverse.
    const uint64_t bits = std::bit_cast<uint64_t>(value + 0.0);
    return bits >> 63 ? ~bits : bits | (uint64_t(1) << 63);
}
