#include "platform/MemoryRelease.h"

#include <cstdio>
#include <memory>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "support/SanitizedBuild.h"

namespace {

long ResidentKilobytes()
{
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    long pages = 0, resident = 0;
    if (statm) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

// The start's pattern: many small blocks, all freed but one made last, which pins the heap's top.
TEST(MemoryRelease, FreedSmallBlocksBelowALiveOneLeaveTheResidentSet)
{
    if (kAddressSanitizer)
        GTEST_SKIP() << "the sanitizer's allocator keeps its own pages";
    constexpr int kBlocks = 300000;
    std::vector<std::unique_ptr<char[]>> blocks;
    blocks.reserve(kBlocks);
    for (int i = 0; i < kBlocks; ++i) {
        blocks.push_back(std::make_unique<char[]>(96));
        blocks.back()[0] = static_cast<char>(i);
    }
    auto pin = std::make_unique<char[]>(96);
    for (auto& block : blocks)
        block.reset();
    const long before = ResidentKilobytes();
    ReleaseFreedMemory();
    const long after = ResidentKilobytes();
    EXPECT_LT(after, before - 16 * 1024) << "before " << before << " kB, after " << after << " kB";
    pin[0] = 1;
}
