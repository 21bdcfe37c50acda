// Time per file of the name compositions, as a rename run of many files uses them.
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "naming/advanced_name.h"
#include "naming/basic_name.h"
#include "naming/counter.h"
#include "naming/name_pattern.h"
#include "naming/rename_options.h"
#include "rename/rename_plan.h"

namespace {

constexpr int kFiles = 200000;

std::vector<std::string> MakeNames() {
    std::vector<std::string> names;
    names.reserve(kFiles);
    for (int i = 0; i < kFiles; ++i)
        names.push_back("holiday_photo_" + std::to_string(i) + "_final_version.backup.jpeg");
    return names;
}

template <typename F>
void Measure(const char* what, const std::vector<std::string>& names, F compose) {
    // Processor time, not the clock's: on a machine shared with other work the clock
    // counts the others too.
    std::size_t total = 0;
    const std::clock_t begin = std::clock();
    for (const std::string& name : names) total += compose(name).size();
    const double ns = 1e9 * static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC / names.size();
    std::printf("%-44s %10.1f %12zu\n", what, ns, total);
}

}  // namespace

int main() {
    const std::vector<std::string> names = MakeNames();
    std::printf("%-44s %10s %12s\n", "composition (200000 files)", "CPU ns/file", "chars out");

    RenameOptions basic;
    basic.m_bChangePrefix = 1;
    basic.m_bCountPrefix = 1;
    basic.m_nPrefixPos = 2;
    basic.m_strNewPrefix = "_";
    basic.m_bPrefixUpper = 1;
    CounterState counter = SetUpCounter("0001", "1", false).state;
    Measure("basic, counter on prefix, upper case", names, [&](const std::string& n) {
        std::string text = FormatCounter(counter);
        StepCounter(counter, false);
        return ComposeBasicBareName(basic, n, text);
    });

    RenameOptions plain;
    plain.m_bReplace = 1;
    plain.m_nApplyTo = 2;
    plain.m_strReStr1 = "FINAL";
    plain.m_strReStr2 = "v2";
    Measure("replace plain text, case folded", names, [&](const std::string& n) {
        std::string out;
        ComposeAdvancedBareName(plain, n, out);
        return out;
    });

    RenameOptions wild = plain;
    wild.m_strReStr1 = "photo*_*version";
    wild.m_bSearchBack = 1;
    Measure("replace wildcard, backward", names, [&](const std::string& n) {
        std::string out;
        ComposeAdvancedBareName(wild, n, out);
        return out;
    });

    // By regular expression, the pattern compiled once as a run does.
    const struct { const char *what, *pattern, *with; } regexes[] = {
        {"replace by regular expression, groups", "photo_(\\d+)", "$1_photo"},
        {"replace by regular expression, simple", "final", "v2"},
    };
    for (const auto& r : regexes) {
        RenameOptions regex = plain;
        regex.m_bRegex = 1;
        regex.m_strReStr1 = r.pattern;
        regex.m_strReStr2 = r.with;
        const NamePattern pattern(regex.m_strReStr1, false);
        Measure(r.what, names, [&](const std::string& n) {
            std::string out;
            ComposeAdvancedBareName(regex, n, out, &pattern);
            return out;
        });
    }

    // The whole plan of a run: names, full paths, counter texts and the caret name.
    ProgramSettings settings;
    settings.m_bWarnRename = 0;
    const std::clock_t begin = std::clock();
    const RenamePlan plan = MakePlan(basic, settings, "C:\\Pictures\\2023\\", names, 0, true);
    const std::clock_t end = std::clock();
    std::size_t total = 0;
    for (const PlanStep& step : plan.steps) total += step.to.size();
    std::printf("%-44s %10.1f %12zu\n", "plan of a run (basic, counter on prefix)",
                1e9 * static_cast<double>(end - begin) / CLOCKS_PER_SEC / names.size(), total);
    return 0;
}
