// Carrying out a rename plan: each file is moved (unless it stays), then stamped and
// given its attributes under the name the platform stored it as. An observer sees every
// file before it is handled and every failure, and decides whether the run goes on; it
// never changes what a step does, but may cancel the run before a file.
//
// A run never overwrites or deletes a file: every rename goes through the services'
// move, which refuses an existing target. Nothing done before a stop is undone here;
// the run journal (run_journal.h) keeps what is needed to undo it later.
#pragma once

#include "platform/file_services.h"
#include "rename/rename_plan.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class FailureKind { Move, Time, Attributes };

struct RunFailure {
    FailureKind kind = FailureKind::Move;
    std::size_t file = 0;  // position among the selected files
    RunMessage message;    // what the user is told when the run stops for it
    // What the settings say: a failed move stops the run only with "Abort on file rename
    // error", or when the file was left under a temporary name (the message says where);
    // a file that refuses its time or attributes always does.
    bool stops = true;
};

class RunObserver {
public:
    virtual ~RunObserver() = default;
    // Before file `file` of `count` is handled by `step` (the plan's, or the step the
    // counter gives it after a failed move). False cancels the run before it.
    virtual bool OnFile(std::size_t file, std::size_t count, const PlanStep& step) = 0;
    // True to go on with the next file (the failure is counted), false to stop the run.
    virtual bool OnFailure(const RunFailure& failure) = 0;
    // The plan's own stop is reached (advanced options not filled in, counter overflow).
    virtual void OnStop(const RunMessage& message) = 0;
};

struct RunReport {
    int errors = 0;        // failures the run went on after
    bool stopped = false;  // ended before its last file
    // Where the refilled list puts its caret; "" after a run stopped by a failure.
    std::string caretName;
    bool cancelled = false;  // stopped by the observer before a file
    // By file of the run: moved, or given a new time or attributes (a file whose time or
    // attributes were refused counts too: something of it may have changed).
    std::vector<bool> changed;
};

// A refused plan does nothing.
RunReport Execute(const RenamePlan& plan, FileServices& files, RunObserver& observer);

// "%d Renaming Error Encountered!" when failures were counted.
std::optional<RunMessage> ErrorCountMessage(const RunReport& report);

// Gives the file the time as its last-modified time, its other times and attributes
// kept (a read-only file too: FileServices::StampTimes).
std::optional<Failure> StampFileTime(FileServices& files, const std::string& path, FileStatus status,
                                     TimeValue time);
// The attribute choice applied to the file as its status reads; no time changes.
std::optional<Failure> ApplyAttributes(FileServices& files, const std::string& path, FileStatus status,
                                       const AttributeChoice& choice);
