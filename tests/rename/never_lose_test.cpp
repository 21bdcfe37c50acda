// A run never loses a file: whatever goes wrong, every file that was there before is
// there afterwards under exactly one name, with its contents unchanged. Real files.
#include "rename/run_kit.h"

#include <gtest/gtest.h>

namespace {

enum Meddle { kNone, kSwap, kVanish };

struct Scenario {
    const char* name;
    std::vector<std::string> listed;   // files listed and selected
    std::vector<std::string> present;  // files that are there but not selected
    std::string prefix;
    int pos;                           // of the new prefix: 0 replaces the old one, 1 before, 2 after
    const char* destination;           // "" for none
    Meddle meddle;
    std::vector<std::string> renamed;  // names afterwards when failed moves are only counted
};

const Scenario kScenarios[] = {
    {"coinciding", {"a.txt", "b.txt"}, {}, "same", 0, "", kNone, {"same.txt", "b.txt"}},
    // No option maps two names onto each other, so the platform is handed swapped targets.
    {"swap", {"a.txt", "b.txt"}, {}, "_r", 2, "", kSwap, {"a.txt", "b.txt"}},
    {"target_exists", {"a.txt"}, {"a_r.txt"}, "_r", 2, "", kNone, {"a.txt", "a_r.txt"}},
    {"destination_missing", {"a.txt", "b.txt"}, {}, "_r", 2, "missing", kNone, {"a.txt", "b.txt"}},
    {"vanished", {"a.txt", "b.txt", "c.txt"}, {}, "_r", 2, "", kVanish, {"a_r.txt", "elsewhere\\b.txt", "c_r.txt"}},
    {"too_long", {"a.txt", "b.txt"}, {}, std::string(256, 'n'), 1, "", kNone, {"a.txt", "b.txt"}},
};

class NeverLoseAFile : public ::testing::TestWithParam<Scenario> {};

TEST_P(NeverLoseAFile, EveryFileKeepsExactlyOneNameAndItsContents) {
    const Scenario& s = GetParam();
    for (bool abort : {false, true}) {
        SCOPED_TRACE(abort ? "abort on error" : "errors counted");
        CapturingSink sink;
        TempDir dir;
        std::map<std::string, int> seen;  // every file's contents, each unique
        for (const std::string& name : s.listed) dir.WriteFile(name, name), seen[name] = 0;
        for (const std::string& name : s.present) dir.WriteFile(name, name), seen[name] = 0;

        ObservedFiles files;
        {
            ListedWindow w(dir.path(), false);
            w.dlg.m_bAbortOnError = abort;
            for (const std::string& name : s.listed)
                ::SendMessageA(w.List(), LB_SETSEL, TRUE, ::SendMessageA(w.List(), LB_FINDSTRINGEXACT, -1,
                                                                         reinterpret_cast<LPARAM>(name.c_str())));
            ASSERT_EQ(w.Selected(), static_cast<LRESULT>(s.listed.size()));
            w.dlg.m_bChangePrefix = 1, w.dlg.m_nPrefixPos = s.pos;
            w.dlg.m_strNewPrefix = s.prefix;
            if ((w.dlg.m_bUseNewDir = s.destination[0] != '\0')) w.dlg.m_strDestination = dir.path() + s.destination;
            if (s.meddle == kVanish) TakeAway(dir, "b.txt");
            if (s.meddle == kSwap)
                files.beforeMove = [&dir](const std::string& from, std::string& to) {
                    to = dir.path() + (from == dir.path() + "a.txt" ? "b.txt" : "a.txt");
                    return true;
                };
            w.Rename();
        }
        EXPECT_FALSE(files.moved.empty());

        const FileMap after = Files(dir.path());
        for (const auto& [path, contents] : after) {
            ASSERT_TRUE(seen.count(contents)) << path << " holds unknown contents";
            ++seen[contents];
        }
        for (const auto& [contents, count] : seen) EXPECT_EQ(count, 1) << contents;
        for (const std::string& name : s.renamed) EXPECT_TRUE(abort || after.count(name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, NeverLoseAFile, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

}  // namespace
