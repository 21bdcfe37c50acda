#include "rename/rename_plan.h"

#include "naming/advanced_name.h"
#include "naming/basic_name.h"
#include "naming/name_pattern.h"
#include "settings/date_time_text.h"

#include <cstdio>
#include <utility>

namespace {

const char* const kNoteTitle = "NOTE:";
const char* const kNoChangesText = "There are no changes!";
const char* const kNoSelectionText = "You need to select at least one file!";
const char* const kNotFullPathText = "The destination is not a full path: ";
const char* const kInvalidDateText = "Invalid date: ";
const char* const kErrorTitle = "Error:";
const char* const kAdvancedText = "Advance renaming options was not filled out correctly!";
const char* const kAdvancedTitle = "Abort:";
const char* const kPreviewDoneTitle = "Done";
const char* const kPatternTitle = "Pattern Error:";
const char* const kInvalidPatternText = "Invalid regular expression: ";
const char* const kPatternTooLongText = "The pattern takes too long on:  ";
const char* const kFieldTitle = "Field Error:";
const char* const kUnknownFieldText = "Unknown field: ";
const char* const kMissingTitle = "Missing Value!";
const char* const kMissingText = "No value for ";
const char* const kMoveOnlyPreviewText = "No preview for just moving files to another directory!";
const char* const kStatusOnlyPreviewText =
    "No preview for just changing the attributes or the time & date of files!";

const char* YesNo(bool flag) { return flag ? "YES" : "NO"; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string Confirmation(const RenameOptions& o, const ProgramSettings& s, const RenamePlan& plan) {
    char head[64];
    std::snprintf(head, sizeof head, "Rename/Move %zu Files\n\n", plan.fileCount);
    std::string text = head;
    text += "From:  " + plan.curDir;
    text += "\n\nTo:  " + plan.targetDir;
    text += "\n\nChange File Prefix:  ";
    text += YesNo(o.m_bChangePrefix);
    text += "\nChange File Extension:  ";
    text += YesNo(o.m_bChangeExt);
    text += "\nAdvance Insert/Replace:  ";
    text += YesNo(o.m_bInsert || o.m_bReplace);
    text += "\nChange Attributes:  ";
    text += YesNo(s.m_bSetAttrib);
    text += "\nChange Time & Date:  ";
    text += YesNo(s.m_bTimeDate);
    return text;
}

// The step of one file, without its name.
PlanStep BareStep(const RenamePlan& plan, const ProgramSettings& s, std::size_t file, const std::string& oldName) {
    PlanStep step;
    step.from = plan.curDir + oldName;
    step.stamp = s.m_bTimeDate != 0;
    // The first file gets the stamp as set, each later one the step more than the last
    // file stamped.
    step.stampStep = file != 0 ? plan.timeIncrement : 0;
    step.setAttributes = s.m_bSetAttrib != 0;
    step.attributes = AttributeChoice{s.m_bReadOnly, s.m_bHidden, s.m_bSystem, s.m_bArchive};
    return step;
}

RenamePlan Refused(RunMessage message) {
    RenamePlan plan;
    plan.refusal = std::move(message);
    return plan;
}

RunMessage InvalidPattern(const PatternError& e) {
    return RunMessage{kInvalidPatternText + e.message + " at character " + std::to_string(e.at), kPatternTitle,
                      RunIcon::Exclamation};
}

void Name(const RenamePlan& plan, PlanStep& step, std::string newName) {
    step.newName = std::move(newName);
    step.to = plan.targetDir + step.newName;
}

}  // namespace

bool operator==(const RunMessage& a, const RunMessage& b) {
    return a.text == b.text && a.title == b.title && a.icon == b.icon;
}

bool IsFullPath(const std::string& path) {
    if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
    if (path.compare(0, 2, "\\\\") != 0) return false;
    const std::size_t serverEnd = path.find('\\', 2);
    if (serverEnd == std::string::npos || serverEnd == 2) return false;
    const std::size_t shareEnd = path.find('\\', serverEnd + 1);
    return (shareEnd == std::string::npos ? path.size() : shareEnd) > serverEnd + 1;
}

RenamePlan MakePlan(const RenameOptions& o, const ProgramSettings& s, const std::string& curDir,
                    const std::vector<std::string>& selected, TimeValue stampTime, bool stampHeld,
                    FactSource* facts) {
    RenamePlan plan;
    const bool basic = o.m_bChangePrefix || o.m_bChangeExt;
    const bool advanced = o.m_bInsert || o.m_bReplace;
    // An empty destination leaves the files where they are.
    const bool toDestination = s.m_bUseNewDir && !s.m_strDestination.empty();
    if (!basic && !advanced && !toDestination && !s.m_bSetAttrib && !s.m_bTimeDate) {
        plan.refusal = RunMessage{kNoChangesText, kNoteTitle, RunIcon::Information};
        return plan;
    }

    // Before anything is asked or moved. A relative destination would be resolved against
    // whatever directory the process is in.
    if (toDestination && !IsFullPath(s.m_strDestination)) {
        plan.refusal = RunMessage{kNotFullPathText + s.m_strDestination, kErrorTitle, RunIcon::Stop};
        return plan;
    }
    // A time the platform cannot hold would come out as some other time on every file.
    if (s.m_bTimeDate && (s.m_nYear > kLastDateYear || !stampHeld)) {
        plan.refusal =
            RunMessage{kInvalidDateText + FormatDate(s.m_nMonth, s.m_nDay, s.m_nYear), kErrorTitle, RunIcon::Stop};
        return plan;
    }

    plan.curDir = curDir;
    plan.targetDir = curDir;
    if (toDestination) {
        // The settings keep the destination as typed; the names need its backslash.
        plan.targetDir = s.m_strDestination;
        if (plan.targetDir.back() != '\\') plan.targetDir += '\\';
    }

    if (selected.empty()) {
        plan.refusal = RunMessage{kNoSelectionText, kNoteTitle, RunIcon::Information};
        return plan;
    }
    plan.fileCount = selected.size();

    // Also when the counter is ticked only for the half that does not change: a zero
    // increment ends the run before anything is asked.
    CounterState counter;
    if (basic && (o.m_bCountPrefix || o.m_bCountExt)) {
        const CounterSetUp setUp = SetUpCounter(o.m_strStartCount, o.m_strIncrement, o.m_bAlphaCount != 0);
        if (setUp.zeroIncrement) {
            plan.refusal = RunMessage{kZeroIncrementText, kZeroIncrementTitle, RunIcon::Stop};
            return plan;
        }
        counter = setUp.state;
    }
    plan.counting = (o.m_bChangePrefix && o.m_bCountPrefix) || (o.m_bChangeExt && o.m_bCountExt);

    // Compiled once for all the names; a pattern that cannot work refuses the run before
    // anything is asked.
    std::optional<NamePattern> pattern;
    if (advanced && !basic && UsesNamePattern(o)) {
        pattern.emplace(o.m_strReStr1, o.m_bCaseSensitive != 0);
        if (pattern->CompileError()) return Refused(InvalidPattern(*pattern->CompileError()));
    }

    const OptionFields fields = ParseOptionFields(o);
    if (!fields.error.empty())
        return Refused(RunMessage{kUnknownFieldText + fields.error, kFieldTitle, RunIcon::Exclamation});
    // Every file's values before the first name: a missing one refuses the whole run.
    if (fields.any) {
        if (facts && fields.needs.media) {
            facts->BeginDirectory(curDir);
            facts->Prefetch(curDir, selected, fields.needs);
        }
        plan.filled.reserve(selected.size());
        for (std::size_t i = 0; i < selected.size(); ++i) {
            const FileFacts fileFacts = facts ? facts->Facts(curDir, selected[i], fields.needs) : FileFacts{};
            plan.filled.push_back(FillOptionFields(fields, o, FieldContext{selected[i], curDir, &fileFacts}));
            if (!plan.filled.back().missing.empty() && !plan.missingValue) {
                plan.missingValue = RunMessage{kMissingText + plan.filled.back().missing + " in:  " + selected[i],
                                               kMissingTitle, RunIcon::Exclamation};
                plan.missingStep = i;
            }
        }
    }

    if (s.m_bWarnRename) plan.confirmation = Confirmation(o, s, plan);

    plan.kind = basic || advanced ? RunKind::Rename : toDestination ? RunKind::MoveOnly : RunKind::StatusOnly;
    plan.stampTime = stampTime;
    plan.abortOnError = s.m_bAbortOnError != 0;
    plan.options = o;
    // Without "Increment Time by:" ticked every file gets the same stamp.
    plan.timeIncrement =
        s.m_bIncTime ? static_cast<TimeValue>(s.m_nIncHour) * 3600 + s.m_nIncMinute * 60 + s.m_nIncSecond : 0;

    plan.steps.reserve(selected.size());
    std::string counterText;
    std::string bareName;
    RenameOptions filled;
    PatternError patternError;
    for (std::size_t i = 0; i < selected.size(); ++i) {
        const std::string& oldName = selected[i];
        const RenameOptions& fo = fields.any ? (filled = WithFilledTexts(o, plan.filled[i])) : o;
        const int composed = advanced && !basic ? ComposeAdvancedBareName(fo, oldName, bareName,
                                                                         pattern ? &*pattern : nullptr, &patternError)
                                                : kAdvancedComposed;
        if (composed == kAdvancedNotFilledIn) {
            // The fields are the same for every file: this is the first one.
            plan.stop = RunMessage{kAdvancedText, kAdvancedTitle, RunIcon::Exclamation};
            plan.laterNames.assign(selected.begin() + static_cast<std::ptrdiff_t>(i), selected.end());
            break;
        }
        // A pattern that fails on one name renames none: the names are all worked out
        // before the first file is touched.
        if (composed == kAdvancedPatternTooLong)
            return Refused(RunMessage{kPatternTooLongText + oldName, kPatternTitle, RunIcon::Exclamation});
        if (composed == kAdvancedPatternInvalid) return Refused(InvalidPattern(patternError));
        PlanStep step = BareStep(plan, s, i, oldName);
        if (plan.counting) counterText = FormatCounter(counter);
        step.counterText = counterText;
        switch (plan.kind) {
            case RunKind::Rename:
                Name(plan, step, basic ? ComposeBasicBareName(fo, oldName, counterText) : bareName);
                break;
            case RunKind::MoveOnly: Name(plan, step, oldName); break;
            case RunKind::StatusOnly:
                step.to = step.from;
                step.newName = oldName;
                break;
        }
        plan.steps.push_back(std::move(step));
        if (plan.counting && !StepCounter(counter, i + 1 == selected.size())) {
            plan.stop = RunMessage{kCounterOverflowText, kCounterOverflowTitle, RunIcon::Stop};
            plan.laterNames.assign(selected.begin() + static_cast<std::ptrdiff_t>(i) + 1, selected.end());
            break;
        }
    }

    if (plan.kind == RunKind::Rename && !toDestination && !s.m_bNoRefresh && !plan.steps.empty())
        plan.caretName = plan.steps.front().newName;
    return plan;
}

PlanStep RenumberedStep(const RenamePlan& plan, std::size_t file, std::size_t counterStep) {
    if (file == counterStep) return plan.steps[file];
    const std::size_t planned = plan.steps.size();
    const std::string oldName = file < planned ? plan.steps[file].from.substr(plan.curDir.size())
                                               : plan.laterNames[file - planned];
    // Stamp and attributes are the same for every file.
    PlanStep step = plan.steps[counterStep];
    step.from = plan.curDir + oldName;
    step.stampStep = plan.timeIncrement;  // a file after the first
    // Counting implies the basic rules.
    const RenameOptions& o = plan.filled.empty() ? plan.options : WithFilledTexts(plan.options, plan.filled[file]);
    Name(plan, step, ComposeBasicBareName(o, oldName, step.counterText));
    return step;
}

PreviewContent PreviewOf(const RenamePlan& plan) {
    PreviewContent preview;
    if (plan.refusal) {
        preview.message = plan.refusal;
        return preview;
    }
    if (plan.kind != RunKind::Rename) {
        preview.message = RunMessage{plan.kind == RunKind::MoveOnly ? kMoveOnlyPreviewText : kStatusOnlyPreviewText,
                                     kPreviewDoneTitle, RunIcon::None};
        return preview;
    }
    preview.names.reserve(plan.steps.size());
    for (const PlanStep& step : plan.steps) preview.names.push_back(step.newName);
    preview.message = plan.stop;
    if (plan.missingValue && plan.missingStep < plan.steps.size()) {
        preview.missingValue = plan.missingValue;
        preview.missingName = plan.missingStep;
    }
    return preview;
}
