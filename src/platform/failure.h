// How the platform layer and the portable code report a failed operation: the text
// the user is to be told. Functions that can fail give std::optional<Failure>, empty on
// success; they never show anything themselves: the window that called them does.
#pragma once

#include <string>

struct Failure {
    std::string message;
    // A move that failed half-way and could not be put back: the path the file was left
    // under (the message says so too). Empty for every other failure.
    std::string leftAs;
};
