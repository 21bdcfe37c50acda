// Options the tests set again and again, written once; and the limits of the option
// edits as the user meets them, stated here rather than read from the program.
#pragma once

#include "naming/rename_options.h"
#include "res/resource.h"

#include <string>
#include <utility>

// The old prefix followed by "_r".
inline void AppendR(RenameOptions& o) { o.m_bChangePrefix = 1, o.m_strNewPrefix = "_r"; }
// The old prefix replaced by `prefix`.
inline void ReplacePrefix(RenameOptions& o, const std::string& prefix) {
    o.m_bChangePrefix = 1, o.m_nPrefixPos = 0, o.m_strNewPrefix = prefix;
}
// `prefix` and the counter from `start` in place of the old prefix: f1, f2, ...
inline void CountIntoPrefix(RenameOptions& o, const std::string& start, const std::string& prefix = "f") {
    ReplacePrefix(o, prefix), o.m_bCountPrefix = 1, o.m_strStartCount = start;
}

// The most characters each limited option edit takes.
const std::pair<int, int> kEditLimits[] = {
    {IDC_NEWPREFIX, 256}, {IDC_NEWEXT, 256}, {IDC_INCREMENT, 19}, {IDC_STARTCOUNT, 20}, {IDC_SEARCHMASK, 100},
    {IDC_INSSTR1, 256},   {IDC_INSSTR2, 256}, {IDC_INSATPOS, 4},   {IDC_RESTR1, 256},    {IDC_RESTR2, 256},
    {IDC_REFROMPOS, 4},   {IDC_RETOPOS, 4},
};
