// UTF-8 text: reading damaged bytes, letter case in every script, comparing without
// regard to case, text files of this and of earlier versions, and the checks of the
// full preview on new names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "naming/case_map.h"
#include "naming/name_checks.h"
#include "naming/utf8.h"

namespace {

// Each invalid byte is one U+FFFD; reading goes on with the next byte.
TEST(Utf8, DecodesEachDamagedByteAsOneReplacementCharacter) {
    const struct { std::string bytes; std::u32string chars; bool valid; } cases[] = {
        {"a\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80", U"a\u00E9\u65E5\U0001F600", true},  // a é 日 😀
        {"\xEF\xBF\xBD", U"\uFFFD", true},
        {"\x80", U"\uFFFD", false},                               // a stray continuation byte
        {"\xC3(", U"\uFFFD(", false},                             // a lead byte without its continuation
        {"\xE2\x82" "A", U"\uFFFD\uFFFD" "A", false},             // cut short
        {"\xC0\xAF", U"\uFFFD\uFFFD", false},                     // overlong
        {"\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD", false},           // overlong
        {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD", false},           // a surrogate
        {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", false},  // above U+10FFFF
        {"\xF5\xFF", U"\uFFFD\uFFFD", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeUtf8Text(c.bytes), c.chars) << c.bytes;
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
        EXPECT_EQ(ToValidUtf8(c.bytes), EncodeUtf8Text(c.chars)) << c.bytes;
        EXPECT_EQ(CountCodePoints(c.bytes), c.chars.size()) << c.bytes;
        for (std::size_t n = 0; n <= c.chars.size() + 1; ++n)
            EXPECT_EQ(DecodeUtf8Text(c.bytes.substr(0, CodePointOffset(c.bytes, n))), c.chars.substr(0, n)) << c.bytes;
    }
    // A read that stopped after a number of bytes loses only a character cut short.
    const struct { std::string bytes; std::size_t whole; } cuts[] = {
        {"ab", 2}, {"a\xC3", 1}, {"a\xE6\x97", 1}, {"a\xF0\x9F\x98", 1}, {"a\xF0\x9F\x98\x80", 5}, {"\x80\x80\x80", 3},
    };
    for (const auto& c : cuts) EXPECT_EQ(WholeCharactersLength(c.bytes), c.whole) << c.bytes;
}

TEST(CaseMap, MapsLettersOfEveryScript) {
    const struct { std::string text, upper, lower; } cases[] = {
        {"émile.TXT", "ÉMILE.TXT", "émile.txt"},
        {"ΣΟΦΊΑ σοφία ς", "ΣΟΦΊΑ ΣΟΦΊΑ Σ", "σοφία σοφία ς"},
        {"Жук", "ЖУК", "жук"},
        {"ĀāĂăŐő", "ĀĀĂĂŐŐ", "āāăăőő"},  // ranges whose case alternates
        {"日本語😀", "日本語😀", "日本語😀"},
        {"\U00010400\U00010428", "\U00010400\U00010400", "\U00010428\U00010428"},  // outside the basic plane
        {"Straße ẞ", "STRAßE ẞ", "straße ß"},  // simple mappings only: ß stays
        {"İı \u212A", "İI \u212A", "iı k"},    // lengths in bytes change (the last is the Kelvin sign)
        {"a\xFF" "b", "A\uFFFD" "B", "a\uFFFD" "b"},
    };
    for (const auto& c : cases) {
        std::string upper = c.text, lower = c.text;
        MakeUpper(upper);
        MakeLower(lower);
        EXPECT_EQ(upper, c.upper) << c.text;
        EXPECT_EQ(lower, c.lower) << c.text;
        EXPECT_EQ(FoldCase(c.text), c.lower) << c.text;
    }
    // Both case boxes set (a settings file can say so): upper case wins.
    const struct { int upper, lower; const char* part; } boxes[] = {{1, 1, "ÉTÉ"}, {0, 1, "été"}, {0, 0, "Été"}};
    for (const auto& b : boxes) {
        std::string part = "Été";
        ApplyCase(part, b.upper, b.lower);
        EXPECT_EQ(part, b.part) << b.upper << b.lower;
    }
}

// Folding goes to lower case, as _stricmp does, so ASCII keeps its order; then code points compare.
TEST(CaseMap, ComparesWithoutRegardToCase) {
    const struct { const char* a; const char* b; int sign; } cases[] = {
        {"readme.txt", "README.TXT", 0}, {"été.txt", "ÉTÉ.TXT", 0}, {"Жук", "жук", 0}, {"ΣΟΦΊΑ", "σοφία", 0},
        {"\U00010400", "\U00010428", 0}, {"_", "A", -1}, {"[", "a", -1}, {"z", "é", -1}, {"é", "F", 1}, {"日", "😀", -1},
        {"ab", "abc", -1}, {"ς", "σ", -1}, {"\xE9", "\xC9", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareNoCase(c.a, c.b), c.sign) << c.a << " / " << c.b;
        EXPECT_EQ(CompareNoCase(c.b, c.a), -c.sign) << c.a << " / " << c.b;
        const int folded = FoldCase(c.a).compare(FoldCase(c.b));
        EXPECT_EQ((folded > 0) - (folded < 0), c.sign) << c.a << " / " << c.b;
    }
}

// Files of this version are UTF-8; those of earlier ones are in the ANSI code page.
TEST(TextFile, ReadsUtf8OrTheAnsiCodePage) {
    const struct { const char* bytes; bool ansi; const char* text; } cases[] = {
        {"caf\xC3\xA9", true, "café"},
        {"\xEF\xBB\xBF" "caf\xC3\xA9", true, "café"},
        {"caf\xE9", true, "café"},
        {"caf\xE9", false, "caf\xE9"},                     // the caller still works in the code page
        {"\xEF\xBB\xBF" "caf\xE9", true, "caf\uFFFD"},  // the mark says UTF-8
    };
    for (const auto& c : cases) {
        std::string storage;
        EXPECT_EQ(TextFileAsUtf8(c.bytes, c.ansi ? Latin1ToUtf8 : CodePageToUtf8(), storage), c.text) << c.bytes;
    }
}

TEST(NameChecks, FindsTheFirstProblemOfAName) {
    using Kind = NameProblem::Kind;
    // The file system counts UTF-16 units: a character beyond U+FFFF takes two.
    std::string e255, smileys;
    for (int i = 0; i < 255; ++i) e255 += "é";
    for (int i = 0; i < 125; ++i) smileys += "😀";
    const struct { std::string name; Kind kind; char character; } cases[] = {
        {e255, Kind::kNone, 0}, {e255 + "é", Kind::kTooLong, 0}, {smileys + "a.txt", Kind::kNone, 0},
        {smileys + "ab.txt", Kind::kTooLong, 0}, {smileys + "😀😀😀", Kind::kTooLong, 0},
        {std::string(255, 'n'), Kind::kNone, 0}, {std::string(256, 'n'), Kind::kTooLong, 0},
        {std::string(256, '?'), Kind::kTooLong, 0},
        {"日本?.txt", Kind::kInvalidCharacter, '?'}, {"ж|b*c.txt", Kind::kInvalidCharacter, '|'},
        {"tab\there.txt", Kind::kNone, 0},
    };
    for (const auto& c : cases) {
        const NameProblem p = FindNameProblem(c.name);
        EXPECT_EQ(p.kind, c.kind) << c.name;
        EXPECT_EQ(p.character, c.character) << c.name;
    }
    for (char c : std::string("\"*/:<>?\\|")) EXPECT_EQ(FindNameProblem(std::string("a") + c + "b").character, c) << c;
}

TEST(NameChecks, FindsTheFirstDuplicatePair) {
    const struct { std::vector<std::string> names; int first; } cases[] = {
        {{"a.txt"}, -1},
        {{"other.txt", "readme.txt", "README.TXT"}, 1},
        {{"été.txt", "Été.txt"}, 0},
        {{"x", "жук.txt", "ΣΟΦΊΑ", "ЖУК.TXT", "σοφία"}, 1},  // not neighbours
        {{"😀.txt", "日本.txt", "😀.TXT"}, 0},
        {{"été.txt", "ete.txt", "ÉTE.txt"}, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(FindDuplicateName(c.names), c.first) << c.names[0];
}

}  // namespace
