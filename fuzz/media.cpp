// Any bytes behind one container's signature (MEDIA_SIGNATURE, one target per
// container) go through the media readers: no crash, no read past the file's end or
// past the bound of bytes read per file (a song's tail included), however damaged or
// hostile the file.
#include "metadata/media_facts.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string signature(MEDIA_SIGNATURE, sizeof(MEDIA_SIGNATURE) - 1);
    std::string file(reinterpret_cast<const char*>(data), size);
    if (file.size() < signature.size()) file.resize(signature.size());
    file.replace(0, signature.size(), signature);
    // An input ending in 0xFF stands for a file of 1.25 MiB, zeros after the input: tags
    // larger than the bound of bytes read.
    if (size > 0 && data[size - 1] == 0xFF) file.resize(std::max(file.size(), std::size_t{1280} * 1024), '\0');
    size_t asked = 0;
    const PieceReader read = [&](uint64_t at, size_t n, std::string& out) {
        asked += n;
        if (at > file.size() || n > file.size() - at || asked > kMaxMediaBytes + kMaxTailBytes) std::abort();
        out = file.substr(static_cast<size_t>(at), n);
        return true;
    };
    ReadMediaFacts(file.substr(0, 512), file.size(), read);
    return 0;
}
