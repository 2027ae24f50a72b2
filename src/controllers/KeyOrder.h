#pragma once
// Orders by unsigned 64-bit keys in linear time: the list's sorts turn their columns into such keys, so a
// sort of 100,000 entries reads each key a few times in one block instead of comparing records.

#include <cstdint>
#include <vector>

// Positions into keys, smallest key first; equal keys keep their order (a stable radix sort).
std::vector<int> StableOrderOf(const std::vector<uint64_t>& keys);

// Keys that order as the values do.
uint64_t OrderedKey(int64_t value);
uint64_t OrderedKey(double value);
