// The program's operator new: blocks of every size class and beyond stay aligned, apart
// and intact while one thread makes them and another frees them, round after round (so
// that kept blocks are handed out again, on both threads).
#include "platform/thread_cached_new.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

namespace {

TEST(ThreadCachedNew, BlocksStayApartAndIntactAcrossThreads) {
    const std::size_t sizes[] = {0, 1, 15, 16, 17, 100, 512, 513, 5000};
    struct Block {
        unsigned char* at;
        std::size_t size;
        unsigned char mark;
    };
    int wrong = 0;
    for (int round = 0; round < 8; ++round) {
        std::vector<Block> blocks;
        std::thread maker([&] {
            for (int i = 0; i < 300; ++i)
                for (std::size_t size : sizes) {
                    const auto mark = static_cast<unsigned char>(blocks.size());
                    blocks.push_back(Block{static_cast<unsigned char*>(operator new(size)), size, mark});
                    std::memset(blocks.back().at, mark, size);
                }
        });
        maker.join();
        std::set<unsigned char*> apart;
        for (const Block& b : blocks) {
            wrong += reinterpret_cast<std::uintptr_t>(b.at) % 16 != 0 || !apart.insert(b.at).second;
            for (std::size_t i = 0; i < b.size; ++i) wrong += b.at[i] != b.mark;
        }
        std::thread freer([&] {
            for (const Block& b : blocks) operator delete(b.at);
            if (round % 2) ReleaseThreadAllocations();
        });
        freer.join();
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
