// Text files as the C runtime's text mode reads them, for the readers that go through
// a file piece by piece (the tooltip texts): the whole file is read at once and cut up
// here the way the runtime's line reads would cut it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The bytes a text-mode read yields from a file's stored bytes: each carriage return
// directly before a line feed is dropped (a lone one stays), and a Ctrl-Z (0x1A) ends
// the file there.
std::string TextModeContents(const std::string& stored);

// The pieces that successive fgets(buffer, maxChars + 1, file) calls return on a file
// opened in text mode whose stored bytes are `stored`: each piece runs to and including
// the next line feed, or holds maxChars characters when the line is longer (its rest is
// the next piece), and a last line without a line feed is a piece of its own. An empty
// file, or maxChars 0, gives no pieces.
std::vector<std::string> ReadTextChunks(const std::string& stored, size_t maxChars);
