#include "rename/run_execute.h"

#include "naming/name_checks.h"
#include "platform/move_rules.h"

#include <cstdio>

namespace {

const char* const kRenameErrorTitle = "Rename Error:";

// Time and attributes of one handled file, as its step asks. False when the observer
// stopped the run over a refusal; a refusal it lets pass is counted.
bool SetStatusOf(const PlanStep& step, std::size_t file, const std::string& path, TimeValue& stampTime,
                 FileServices& files, RunObserver& observer, RunReport& report, std::vector<bool>::reference changed) {
    FileStatus status;
    // A file that cannot be read keeps its time and attributes; the run goes on.
    if (!files.GetStatus(path, status)) return true;
    changed = true;
    if (step.stamp) {
        // One stamp for the whole run: the steps add up over the files stamped.
        stampTime += step.stampStep;
        if (const std::optional<Failure> refused = StampFileTime(files, path, status, stampTime)) {
            const RunFailure failure{FailureKind::Time, file,
                                     {"Error Setting Time & Date of File:\n" + path + "\nReason-  " + refused->message,
                                      kRenameErrorTitle, RunIcon::Exclamation}};
            if (!observer.OnFailure(failure)) return false;
            ++report.errors;
        }
    }
    if (!step.setAttributes) return true;
    if (const std::optional<Failure> refused = ApplyAttributes(files, path, status, step.attributes)) {
        const RunFailure failure{FailureKind::Attributes, file,
                                 {"Error Setting Attributes of File:\n" + path + "\nReason-  " + refused->message,
                                  kRenameErrorTitle, RunIcon::Exclamation}};
        if (!observer.OnFailure(failure)) return false;
        ++report.errors;
    }
    return true;
}

}  // namespace

RunReport Execute(const RenamePlan& plan, FileServices& files, RunObserver& observer) {
    RunReport report;
    if (plan.refusal) return report;
    report.caretName = plan.caretName;
    report.changed.assign(plan.fileCount, false);
    TimeValue stampTime = plan.stampTime;
    const std::size_t count = plan.fileCount;
    // Failed moves while counting: each leaves the counter where it was, so file i
    // takes the counter text of step i - held.
    std::size_t held = 0;
    PlanStep renumbered;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t counterStep = i - held;
        if (counterStep == plan.steps.size()) {  // the stop before the first file
            observer.OnStop(*plan.stop);
            report.stopped = true;
            break;
        }
        const PlanStep* step = &plan.steps[counterStep];
        if (held != 0) {
            renumbered = RenumberedStep(plan, i, counterStep);
            step = &renumbered;
        }
        if (!observer.OnFile(i, count, *step)) {
            // As after a failure that stops the run: the file in hand was the last.
            report.stopped = report.cancelled = true;
            report.caretName.clear();
            break;
        }

        std::string handled = step->from;
        if (plan.kind != RunKind::StatusOnly) {
            // A name longer than the file system takes fails as the preview's check foretold.
            const bool tooLong = FindNameProblem(step->newName).kind == NameProblem::Kind::kTooLong;
            if (const std::optional<Failure> moveFailed =
                    tooLong ? std::optional<Failure>(MoveFailure(step->from, step->to)) : files.MoveFile(step->from, step->to)) {
                // A file stranded under a temporary name is always told of, and ends the
                // run: the user has to find it.
                const RunFailure failure{FailureKind::Move, i,
                                         {moveFailed->message, kRenameErrorTitle, RunIcon::Exclamation},
                                         plan.abortOnError || !moveFailed->leftAs.empty()};
                if (!observer.OnFailure(failure)) {
                    report.stopped = true;
                    report.caretName.clear();
                    break;
                }
                ++report.errors;
                if (plan.counting) ++held;
                continue;
            }
            // The file now has the name the platform made of the new one.
            handled = StoredTargetPath(step->to);
            report.changed[i] = true;
        }
        if ((step->stamp || step->setAttributes) &&
            !SetStatusOf(*step, i, handled, stampTime, files, observer, report, report.changed[i])) {
            report.stopped = true;
            report.caretName.clear();
            break;
        }

        // The counter would not fit another step: the remaining files stay as they are.
        if (plan.stop && counterStep + 1 == plan.steps.size() && i + 1 < count) {
            observer.OnStop(*plan.stop);
            report.stopped = true;
            break;
        }
    }
    return report;
}

std::optional<RunMessage> ErrorCountMessage(const RunReport& report) {
    if (report.errors == 0) return std::nullopt;
    char text[64];
    std::snprintf(text, sizeof text, "%d Renaming Error Encountered!", report.errors);
    return RunMessage{text, "Notice!", RunIcon::Exclamation};
}

std::optional<Failure> StampFileTime(FileServices& files, const std::string& path, FileStatus status,
                                     TimeValue time) {
    status.modified = time;
    status.created = 0;
    status.accessed = 0;
    return files.StampTimes(path, status);
}

std::optional<Failure> ApplyAttributes(FileServices& files, const std::string& path, FileStatus status,
                                       const AttributeChoice& choice) {
    status.attribute = choice.Apply(status.attribute);
    status.modified = 0;
    status.created = 0;
    status.accessed = 0;
    return files.SetStatus(path, status);
}
