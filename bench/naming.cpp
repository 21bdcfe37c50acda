// Time per file of the name compositions, as a rename run of many files uses them.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "naming/advanced_name.h"
#include "naming/basic_name.h"
#include "naming/counter.h"
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
    std::size_t total = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (const std::string& name : names) total += compose(name).size();
    const auto end = std::chrono::steady_clock::now();
    const double ns = std::chrono::duration<double, std::nano>(end - begin).count() / names.size();
    std::printf("%-44s %10.1f %12zu\n", what, ns, total);
}

}  // namespace

int main() {
    const std::vector<std::string> names = MakeNames();
    std::printf("%-44s %10s %12s\n", "composition (200000 files)", "ns/file", "chars out");

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

    // The whole plan of a run: names, full paths, counter texts and the caret name.
    ProgramSettings settings;
    settings.m_bWarnRename = 0;
    const auto begin = std::chrono::steady_clock::now();
    const RenamePlan plan = MakePlan(basic, settings, "C:\\Pictures\\2023\\", names, 0, true);
    const auto end = std::chrono::steady_clock::now();
    std::size_t total = 0;
    for (const PlanStep& step : plan.steps) total += step.to.size();
    std::printf("%-44s %10.1f %12zu\n", "plan of a run (basic, counter on prefix)",
                std::chrono::duration<double, std::nano>(end - begin).count() / names.size(), total);
    return 0;
}
