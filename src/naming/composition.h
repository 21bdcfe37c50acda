#pragma once

#include <string>
#include <vector>

struct RenameOptions;

// Where a composed name goes: the main window's members that the compositions read.
struct CompositionTarget {
    bool previewRun = false;   // m_bPreviewRun: collect names, return no paths
    bool useNewDir = false;    // m_bUseNewDir
    std::string destination;   // m_strDestination, ends in "\" when not empty
    std::string curDir;        // m_strCurDir, ends in "\"
    bool noRefresh = false;    // m_bNoRefresh
};

// True when `path` names a directory without reference to the process's current
// drive or directory: a drive letter, ":" and "\" ("D:\Out"), or "\\server\share"
// followed by nothing or "\". Any other destination would be resolved against the
// working directory, which the user cannot see, so a run refuses it.
bool IsFullPath(const std::string& path);

// Results of the compositions.
constexpr int kComposedPath = 1;        // newName holds the full target path
constexpr int kComposedPreview = 0;     // the bare name was appended to newNames
constexpr int kAdvancedNotFilledIn = -3;

// The last steps shared by the basic and the advanced composition.
// Preview run: appends bareName to newNames, newName = bareName, returns 0.
// Real run: newName = destination (when useNewDir and destination is not empty) or
// curDir, followed by bareName; returns 1. The first file of a run that stays in the
// listed directory also becomes caretName (firstFlag 0 -> 1), unless noRefresh is set:
// only then does the list refill after the run show it.
int FinishComposition(const CompositionTarget& t, const std::string& bareName, int& firstFlag,
                      std::string& newName, std::vector<std::string>& newNames,
                      std::string& caretName);

// One file's new name by the basic rules: the bare name, then FinishComposition.
int ComposeBasicName(const RenameOptions& o, const CompositionTarget& t,
                     const std::string& oldName, const std::string& counterText,
                     int& firstFlag, std::string& newName, std::vector<std::string>& newNames,
                     std::string& caretName);

// One file's new name by the advanced rules; -3 (newName empty) when they are not
// filled in, else as FinishComposition.
int ComposeAdvancedName(const RenameOptions& o, const CompositionTarget& t,
                        const std::string& oldName, int& firstFlag, std::string& newName,
                        std::vector<std::string>& newNames, std::string& caretName);
