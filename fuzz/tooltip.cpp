// Any bytes, repeated into a file of up to 64 MB, as the tooltip file. The texts must
// be those of reading the file line by line in text mode (the reads modelled one by
// one on the whole beginning of the file), however large the file; taking them must
// neither touch the file past its first kilobytes nor allocate more than a few.
#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_chunks.h"
#include "tools/tooltip_text.h"

namespace {

// Bytes allocated while `counting` is set.
bool counting = false;
std::size_t allocated = 0;

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

constexpr std::size_t kLargest = 64u << 20;
// What the model reads: the first 44 reads need less than this.
constexpr std::size_t kModelled = 2 * kToolTipFileBytes;

// The text of a line as the reads give it: the buffer after reads 1..line (the last
// read when there are fewer), up to a zero byte, without its last character.
std::string Expected(const std::vector<std::string>& reads, int line) {
    if (reads.empty()) return std::string();
    std::string buffer = reads[std::min<std::size_t>(static_cast<std::size_t>(line), reads.size()) - 1];
    buffer = buffer.substr(0, buffer.find('\0'));
    if (!buffer.empty()) buffer.pop_back();
    return buffer;
}

}  // namespace

void* operator new(std::size_t size) {
    if (counting) allocated += size;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

// The first byte says how often the rest is repeated, up to 2^31 times (files to 64 MB).
// Only the part that the model reads is filled in; what follows the first kilobytes is
// made unreadable while the texts are taken, so that any look at it stops the run.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 2) return 0;
    static const std::unique_ptr<char[]> file(new char[kLargest]);  // once, not per input
    const std::string_view pattern(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t length = std::min(kLargest, pattern.size() << std::min(data[0] % 32, 26));
    const std::size_t filled = std::min(length, kModelled);
    for (std::size_t at = 0; at < filled; at += pattern.size())
        pattern.copy(file.get() + at, std::min(pattern.size(), filled - at));
    const std::string_view contents(file.get(), length);
    const std::vector<std::string> reads = ReadTextChunks(std::string(contents.substr(0, filled)), 79);

    ToolTipFile tips;
    // A reader that went too far would pass this first megabyte: it is enough to make
    // unreadable, and costs little.
    const std::size_t readable = std::min(length, kToolTipFileBytes);
    const std::size_t fenced = std::min(length - readable, std::size_t{1} << 20);
    ASAN_POISON_MEMORY_REGION(file.get() + readable, fenced);
    counting = true;
    allocated = 0;
    tips.Load("version", contents);
    counting = false;
    ASAN_UNPOISON_MEMORY_REGION(file.get() + readable, fenced);
    Require(allocated <= 16 * 1024, "taking the texts allocates a few kilobytes at most");

    for (int line = 1; line <= kToolTipLines; ++line) {
        const std::string text = tips.Text(line);
        Require(text.size() <= 78, "a text fits the buffer");
        Require(text == Expected(reads, line), "the texts are those of the reads");
    }
    return 0;
}
