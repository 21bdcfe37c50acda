// The rename run worked out before anything is touched: which files go where, with
// which counter text, time stamp and attributes, or why the run is refused. The main
// window makes the plan from its options, settings, directory and selection, asks
// for confirmation with the plan's text and hands it to Execute (run_execute.h); the
// full preview shows the plan's new names. Nothing here touches a file.
#pragma once

#include "fields/option_fields.h"
#include "metadata/file_facts.h"
#include "naming/counter.h"
#include "naming/rename_options.h"
#include "platform/attributes.h"
#include "platform/file_services.h"
#include "settings/program_settings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// How a message box of the run looks: OK only, with one of these icons.
enum class RunIcon { None, Information, Exclamation, Stop };

struct RunMessage {
    std::string text;
    std::string title;
    RunIcon icon = RunIcon::None;
};

bool operator==(const RunMessage& a, const RunMessage& b);

// What the run does to each file.
enum class RunKind {
    Rename,      // a new name by the basic or the advanced rules, here or in the destination
    MoveOnly,    // the old name, in the destination
    StatusOnly,  // the file stays as it is named; only its time or attributes change
};

struct PlanStep {
    std::string from;         // full path of the listed file
    std::string to;           // full path it is moved to; `from` itself when it stays
    std::string newName;      // the bare new name, as the preview lists it
    std::string counterText;  // what the counter put into the name, "" when none
    bool stamp = false;       // give the file the run's stamp time
    TimeValue stampStep = 0;  // added to the run's stamp time before this file is stamped
    bool setAttributes = false;
    AttributeChoice attributes;  // the settings' read-only, hidden, system and archive
};

struct RenamePlan {
    // The run ends before anything is asked or touched; nothing below is filled in.
    std::optional<RunMessage> refusal;

    // The question asked before the run when the settings want it ("" when not).
    std::string confirmation;

    RunKind kind = RunKind::Rename;
    std::string curDir;     // the listed directory
    std::string targetDir;  // where the files end up: the destination or curDir
    std::size_t fileCount = 0;

    // The files handled, in list order, as they go when every move succeeds. A run
    // may stop after them (`stop`), before the remaining files (`laterNames`).
    std::vector<PlanStep> steps;
    std::optional<RunMessage> stop;
    std::vector<std::string> laterNames;  // bare old names of the files after the stop

    // The list refill puts its caret on this name: the first file's new name, when the
    // files stay in the listed directory and the list is refilled.
    std::string caretName;

    TimeValue stampTime = 0;      // the first file's stamp; steps add to it
    TimeValue timeIncrement = 0;  // the stamp step of every file after the first
    bool abortOnError = false;  // a failed move stops the run instead of being counted

    // A file whose move fails leaves the counter where it was, so that the next file
    // takes its number: the names after it are composed anew from these.
    bool counting = false;
    RenameOptions options;
    // The option texts of every selected file with its fields filled in (none when the
    // texts have no field), for the names composed anew.
    std::vector<FilledTexts> filled;

    // A field without a value for one file: the preview lists the names and points at
    // that file's; the run refuses before it touches any file.
    std::optional<RunMessage> missingValue;
    std::size_t missingStep = 0;
};

// Refusals come in this order: no change asked for, a destination that is not a full
// path, a stamp date that cannot be given (a year after 9999, or a time the platform
// cannot hold: `stampHeld` false), no file selected, a zero counter increment. The
// selected names are bare names in list order; curDir ends in "\"; stampTime is the
// settings' date as a time value. A field the texts do not know refuses the run after
// an invalid pattern; the values of the fields come from `facts` (none without it).
RenamePlan MakePlan(const RenameOptions& options, const ProgramSettings& settings, const std::string& curDir,
                    const std::vector<std::string>& selected, TimeValue stampTime, bool stampHeld,
                    FactSource* facts = nullptr);

// The step of file `file` (counting every selected file) when it takes the counter text
// of step `counterStep`: the planned step itself when both are the same.
PlanStep RenumberedStep(const RenamePlan& plan, std::size_t file, std::size_t counterStep);

// True when `path` names a directory without reference to the process's current drive
// or directory: a drive letter, ":" and "\" ("D:\Out"), or "\\server\share" followed by
// nothing or "\". Any other destination would be resolved against the working directory,
// which the user cannot see, so a run refuses it.
bool IsFullPath(const std::string& path);

// What the full preview shows: a message first (a refusal, a run that renames nothing,
// or the stop of the run), then the window with the names when there are any.
struct PreviewContent {
    std::optional<RunMessage> message;
    std::vector<std::string> names;
    std::optional<RunMessage> missingValue;  // what the preview's checks tell first
    std::size_t missingName = 0;             // the name it is about
};
PreviewContent PreviewOf(const RenamePlan& plan);
