#pragma once

#include <string>

// Whether a file name matches the search mask. The file list enumerates every
// entry and filters with this function, so a mask means the same on every
// platform the program runs on:
//  - "*" matches any run of characters, the empty run included;
//  - "?" matches exactly one character (code point);
//  - every other character matches itself, ignoring the case of letters of
//    every script (CompareNoCase's folding);
//  - a mask that ends in ".*" also matches when that ".*" is left out, so
//    "*.*" matches every name, dotless ones included, and "readme.*" matches
//    "README" as well as "readme.txt";
//  - an empty mask matches nothing (the directory path alone is no pattern).
// Runs in O(len(mask) * len(name)) at worst, whatever the mask holds.
bool MatchMask(const std::string& mask, const std::string& name);
