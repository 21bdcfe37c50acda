// Any bytes, repeated into a file of up to 64 MB, as the tooltip file. The texts must
// be those of reading the file line by line in text mode, 79 characters at most at a
// time (the reads modelled one by one on the beginning of the file, as UTF-8 or, when
// it is not UTF-8, through a stand-in code page), however large the file; taking them
// must neither touch the file past its first kilobytes nor allocate more than a few
// times those.
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

#include "naming/utf8.h"
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
// What is filled in: the first 44 reads need less than the first kToolTipFileBytes.
constexpr std::size_t kModelled = 2 * kToolTipFileBytes;

// The first 44 reads of a text-mode line reader with a buffer of 80 characters: each up
// to and including a line feed, or 79 characters of a longer line; a carriage return
// before a line feed is dropped and a Ctrl-Z ends the file.
std::vector<std::u32string> Reads(const std::u32string& stored) {
    std::u32string text;
    for (std::size_t i = 0; i < stored.size() && stored[i] != 0x1A; ++i)
        if (stored[i] != '\r' || i + 1 == stored.size() || stored[i + 1] != '\n') text += stored[i];
    std::vector<std::u32string> reads;
    for (std::size_t pos = 0; pos < text.size() && reads.size() < kToolTipLines;) {
        std::size_t length = 0;
        while (length < 79 && pos + length < text.size())
            if (text[pos + length++] == '\n') break;
        reads.push_back(text.substr(pos, length));
        pos += length;
    }
    return reads;
}

// The text of a line as the reads give it: the buffer after reads 1..line (the last
// read when there are fewer), up to a zero, without its last character.
std::string Expected(const std::vector<std::u32string>& reads, int line) {
    if (reads.empty()) return std::string();
    std::u32string buffer = reads[std::min<std::size_t>(static_cast<std::size_t>(line), reads.size()) - 1];
    buffer = buffer.substr(0, buffer.find(U'\0'));
    if (!buffer.empty()) buffer.pop_back();
    return EncodeUtf8Text(buffer);
}

}  // namespace

void* operator new(std::size_t size) {
    if (counting) allocated += size;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// Every form that pairs with the deletes below, the fuzzer's own nothrow ones included.
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (counting) allocated += size;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

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
    // The file is UTF-8 when its beginning is, and the reads go no further; a character
    // cut short at the end of what the reader may look at does not count against it.
    std::string_view beginning = contents.substr(0, std::min(length, kToolTipFileBytes));
    if (length >= kToolTipFileBytes) beginning = beginning.substr(0, WholeCharactersLength(beginning));
    const bool mark = beginning.substr(0, 3) == "\xEF\xBB\xBF";  // says UTF-8, damaged or not
    const std::string_view modelled = beginning.substr(mark ? 3 : 0);
    const std::vector<std::u32string> reads = Reads(
        DecodeUtf8Text(mark || IsValidUtf8(beginning) ? std::string(modelled) : Latin1ToUtf8(modelled)));

    ToolTipFile tips;
    // A reader that went too far would pass this first megabyte: it is enough to make
    // unreadable, and costs little.
    const std::size_t readable = std::min(length, kToolTipFileBytes);
    const std::size_t fenced = std::min(length - readable, std::size_t{1} << 20);
    ASAN_POISON_MEMORY_REGION(file.get() + readable, fenced);
    counting = true;
    allocated = 0;
    tips.Load("version", contents, Latin1ToUtf8);
    counting = false;
    ASAN_UNPOISON_MEMORY_REGION(file.get() + readable, fenced);
    // At most a copy of the bytes looked at in UTF-8 (three bytes for each damaged one)
    // and the texts.
    Require(allocated <= 5 * kToolTipFileBytes, "taking the texts allocates a few times the bytes looked at");

    for (int line = 1; line <= kToolTipLines; ++line) {
        const std::string text = tips.Text(line);
        Require(IsValidUtf8(text) && CountCodePoints(text) <= 78, "a text fits the buffer");
        Require(text == Expected(reads, line), "the texts are those of the reads");
    }
    return 0;
}
