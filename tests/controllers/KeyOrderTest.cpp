// The radix order against a stable sort, over keys that tie often and span every digit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include "controllers/KeyOrder.h"

namespace {
template <typename TValue> std::vector<int> StableSortOrder(const std::vector<TValue>& values)
{
    std::vector<int> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return values[size_t(a)] < values[size_t(b)]; });
    return order;
}
} // namespace

TEST(KeyOrder, GivesTheStableSortOfIntegersAndDoubles)
{
    std::mt19937_64 random(7);
    const std::vector<int64_t> someInts{0, -1, 1, INT64_MIN, INT64_MAX, 1 << 20, -(1 << 20)};
    const std::vector<double> someDoubles{0.0,    -0.0,   -1.5,    1.5,
                                          1e-300, -1e300, 1.7e308, -std::numeric_limits<double>::infinity()};
    for (size_t count : {0u, 1u, 5u, 4000u}) {
        std::vector<int64_t> ints;
        std::vector<double> doubles;
        std::vector<uint64_t> intKeys, doubleKeys;
        for (size_t i = 0; i < count; ++i) {
            // Half small values that tie, half drawn from the whole range.
            ints.push_back(random() % 2 ? int64_t(random() % 9) - 4 : int64_t(random()));
            if (i < someInts.size())
                ints.back() = someInts[i];
            doubles.push_back(i < someDoubles.size() ? someDoubles[i]
                                                     : double(int64_t(random() % 200) - 100) / 8);
            intKeys.push_back(OrderedKey(ints.back()));
            doubleKeys.push_back(OrderedKey(doubles.back()));
        }
        EXPECT_EQ(StableOrderOf(intKeys), StableSortOrder(ints)) << count;
        EXPECT_EQ(StableOrderOf(doubleKeys), StableSortOrder(doubles)) << count;
    }
}
