#include "naming/utf8.h"

#include <utility>

namespace {

// Decodes one well-formed sequence at text[pos]; false (pos unchanged) when the bytes
// there are not one.
bool DecodeWellFormed(std::string_view text, std::size_t& pos, char32_t& c) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        c = lead;
        ++pos;
        return true;
    }
    std::size_t follow;
    // The second byte's range excludes overlong forms, surrogates and values above U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        follow = 1;
        c = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        follow = 2;
        c = lead & 0x0Fu;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        follow = 3;
        c = lead & 0x07u;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return false;
    }
    if (text.size() - pos <= follow) return false;
    for (std::size_t i = 1; i <= follow; ++i) {
        const unsigned char b = static_cast<unsigned char>(text[pos + i]);
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) return false;
        c = (c << 6) | (b & 0x3Fu);
    }
    pos += follow + 1;
    return true;
}

}  // namespace

char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    char32_t c;
    if (DecodeWellFormed(text, pos, c)) return c;
    ++pos;
    return kReplacementCharacter;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementCharacter;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsAsciiText(std::string_view text) {
    unsigned char high = 0;
    for (char c : text) high |= static_cast<unsigned char>(c);
    return high < 0x80;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t pos = 0;
    char32_t c;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80)
            ++pos;
        else if (!DecodeWellFormed(text, pos, c))
            return false;
    }
    return true;
}

std::string ToValidUtf8(std::string text) {
    if (IsValidUtf8(text)) return text;
    // The exact length first: each invalid byte becomes the three bytes of U+FFFD.
    std::size_t length = 0;
    char32_t c;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t from = pos;
        if (DecodeWellFormed(text, pos, c)) {
            length += pos - from;
        } else {
            ++pos;
            length += 3;
        }
    }
    std::string out;
    out.reserve(length);
    for (std::size_t pos = 0; pos < text.size();) AppendUtf8(out, DecodeUtf8(text, pos));
    return out;
}

std::u32string DecodeUtf8Text(std::string_view text) {
    std::u32string chars;
    chars.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) chars += DecodeUtf8(text, pos);
    return chars;
}

std::string EncodeUtf8Text(std::u32string_view chars) {
    std::string out;
    out.reserve(chars.size());
    for (char32_t c : chars) AppendUtf8(out, c);
    return out;
}

std::size_t CountCodePoints(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) DecodeUtf8(text, pos);
    return count;
}

std::size_t CountUtf16Units(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size();) count += DecodeUtf8(text, pos) > 0xFFFF ? 2 : 1;
    return count;
}

std::size_t CodePointOffset(std::string_view text, std::size_t n) {
    std::size_t pos = 0;
    for (; n > 0 && pos < text.size(); --n) DecodeUtf8(text, pos);
    return pos;
}

std::size_t WholeCharactersLength(std::string_view text) {
    // The last lead byte among the last three bytes, and how many bytes it announces.
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const unsigned char b = static_cast<unsigned char>(text[text.size() - back]);
        if ((b & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t announced = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        return announced > back ? text.size() - back : text.size();
    }
    return text.size();
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    std::size_t high = 0;  // each byte from 0x80 on takes two
    for (char b : bytes) high += static_cast<unsigned char>(b) >> 7;
    out.reserve(bytes.size() + high);
    for (char b : bytes) AppendUtf8(out, static_cast<unsigned char>(b));
    return out;
}

std::string_view TextFileAsUtf8(std::string_view bytes, const CodePageToUtf8& ansi,
                                std::string& storage) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        bytes.remove_prefix(kByteOrderMark.size());
        if (IsValidUtf8(bytes)) return bytes;
        storage = ToValidUtf8(std::string(bytes));
        return storage;
    }
    if (!ansi || IsValidUtf8(bytes)) return bytes;
    storage = ansi(bytes);
    if (!IsValidUtf8(storage)) storage = ToValidUtf8(std::move(storage));
    return storage;
}
