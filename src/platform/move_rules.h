// Rules of renaming that hold whatever carries the rename out: shared by the real
// services and by the stand-in that tests use, so both treat names alike.
#pragma once

#include "platform/failure.h"

#include <cstddef>
#include <functional>
#include <string>

// Whether two names or paths are the same to a file system that ignores the case of
// letters: the file system's own folding decides (each platform passes its own).
using SameIgnoringCase = std::function<bool(const std::string& a, const std::string& b)>;

// Equal when compared with only A-Z/a-z folded together.
bool EqualIgnoringCase(const std::string& a, const std::string& b);

// The directory part of a path with its separator ("C:\a\" of "C:\a\b.txt"); "" for a
// bare name. Both "\" and "/" separate.
std::string DirectoryOf(const std::string& path);

// The path with the trailing dots and blanks of its last part dropped: the name the file
// system stores for it ("C:\a\b. ." is stored as "C:\a\b"). A last part that would be
// left empty ("..") is kept as it is.
std::string StoredTargetPath(const std::string& path);

// Whether the shell's file operations, which read a path by the platform's usual rules,
// reach exactly the file `path` names: a full path from a drive's root ("C:\dir\name")
// whose parts those rules leave alone (none ends in a dot or a blank, none is "." or "..",
// none is a device name such as "CON", "nul" or "aux.c"), with no wildcard, stream colon
// or other character a name cannot hold, and short enough for them (at most
// kShellPathLimit UTF-16 units).
constexpr size_t kShellPathLimit = 259;
bool ShellNamesExactly(const std::string& path);

// True when moving `from` to `to` changes no more than the case of letters, as `same`
// folds them (after the trailing dots and blanks of `to` are dropped). Such a move names
// the same file on a file system that ignores case, and the platform's move then leaves
// the name unchanged, so it has to go through another name.
bool IsCaseOnlyRename(const std::string& from, const std::string& to, const SameIgnoringCase& same);

// One move of a file; true on success, never replacing an existing file.
using MoveStep = std::function<bool(const std::string& from, const std::string& to)>;

// Where a rename through a temporary name leaves the file.
enum class TemporaryRename { kDone, kNotMoved, kLeftAtTemporary };

// Renames `from` to `to` in two moves through `temp` (a free name in the same directory).
// When the second move fails the file is moved back to `from`, so it is left under the
// temporary name only when that move fails too.
TemporaryRename RenameThroughTemporary(const std::string& from, const std::string& to,
                                       const std::string& temp, const MoveStep& move);

// The failure of moving `from` to `to`, as the user is told of it; with `leftAs`, the
// path a file that could be neither moved nor put back was left under.
Failure MoveFailure(const std::string& from, const std::string& to, const std::string& leftAs = std::string());
