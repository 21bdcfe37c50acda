// The tooltip file's lines as the main window shows them: read 79 characters (not
// bytes) at a time in text mode, one read per line up to the control's line, from the
// first few kilobytes of the file only.
#include "tools/tooltip_text.h"

#include <gtest/gtest.h>

namespace {

// A file of `count` lines, "Tip N" on line N.
std::string Tips(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "Tip " + std::to_string(i) + "\r\n";
    return text;
}

TEST(ToolTipFile, ShowsTheLastOfTheReadsUpToTheLine) {
    // A 100-character third line: read 78 characters at a time, its rest becomes line 4.
    const std::string longThird = "1\n2\n" + std::string(78, 'L') + "0123456789" + std::string(12, 'R') + "\n4\n5\n";
    // 45 lines as long as they may be, each 80 bytes with CR LF, and more after them.
    std::string fullLines;
    for (char c = '0'; c < '0' + 45; ++c) fullLines += std::string(78, c) + "\r\n";
    // Huge files: one endless line, and endless short lines.
    const std::string endlessLine(4 << 20, 'x');
    std::string endlessLines = Tips(1000);
    while (endlessLines.size() < (4 << 20)) endlessLines += endlessLines;
    // Characters of several bytes: 100 "é" on line 3, and 45 full lines of emoji.
    std::string e78, e100, emojiLines;
    for (int i = 0; i < 100; ++i) (i < 78 ? e78 : e100) += "é";
    e100 = e78 + e100;
    std::string emoji78;
    for (int i = 0; i < 78; ++i) emoji78 += "😀";
    for (int i = 0; i < 45; ++i) emojiLines += emoji78 + "\r\n";
    struct Case { const char* what; std::string contents; int line; std::string expected; };
    const Case cases[] = {
        {"45 lines: the last", Tips(45), 45, "Tip 45"},
        {"5 lines: line 8 shows the last", Tips(5), 8, "Tip 5"},
        {"100 characters: cut at 78", longThird, 3, std::string(78, 'L')},
        {"100 characters: the rest is line 4", longThird, 4, "123456789" + std::string(12, 'R')},
        {"100 characters: line 4 is line 5", longThird, 5, "4"},
        {"last line without line end", "first\nlast", 2, "las"},
        {"empty file", "", 1, ""},
        {"a lone carriage return stays", "a\r\r\nb\n", 1, "a\r"},
        {"Ctrl-Z ends the file", "a\nb\x1a\nc\n", 3, ""},
        {"a zero byte ends the text", std::string("ab\0cd\n", 6), 1, "a"},
        {"45 full lines and more: the last", fullLines + Tips(45), 45, std::string(78, '0' + 44)},
        {"one endless line: line 45", endlessLine, 45, std::string(78, 'x')},
        {"endless short lines: line 45", endlessLines, 45, "Tip 45"},
        {"100 accented letters: cut at 78", "1\n2\n" + e100 + "\n4\n", 3, e78},
        {"100 accented letters: the rest is line 4", "1\n2\n" + e100 + "\n4\n", 4, "ééééééééééééééééééééé"},
        {"the last character goes whole", "Жук\nлук", 2, "лу"},
        {"45 lines of emoji: the last", emojiLines + Tips(45), 45, emoji78},
        {"a byte-order mark is skipped", "\xEF\xBB\xBFTip 1\r\n", 1, "Tip 1"},
        {"a file of an earlier version: ANSI", "Caf\xE9\r\n", 1, "Café"},
    };
    for (const Case& c : cases) {
        ToolTipFile file;
        file.Load("v", c.contents, Latin1ToUtf8);
        EXPECT_EQ(file.Text(c.line), c.expected) << c.what;
        // Only the file's first kilobytes count.
        ToolTipFile start;
        start.Load("v", c.contents.substr(0, kToolTipFileBytes), Latin1ToUtf8);
        EXPECT_EQ(start.Text(c.line), c.expected) << c.what;
    }
}

}  // namespace
