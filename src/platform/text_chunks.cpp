#include "platform/text_chunks.h"

std::string TextModeContents(const std::string& stored) {
    std::string text;
    text.reserve(stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        const char c = stored[i];
        if (c == '\x1a') break;
        if (c == '\r' && i + 1 < stored.size() && stored[i + 1] == '\n') continue;
        text += c;
    }
    return text;
}

std::vector<std::string> ReadTextChunks(const std::string& stored, size_t maxChars) {
    std::vector<std::string> pieces;
    if (maxChars == 0) return pieces;
    const std::string text = TextModeContents(stored);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t lineEnd = text.find('\n', pos);
        size_t length = lineEnd == std::string::npos ? text.size() - pos : lineEnd - pos + 1;
        if (length > maxChars) length = maxChars;
        pieces.push_back(text.substr(pos, length));
        pos += length;
    }
    return pieces;
}
