// A run never loses a file: whatever goes wrong, every file that was there before is
// there afterwards under exactly one name, with its contents unchanged. Real files.
#include "app/rename_dlg.h"
#include "rename/dir_snapshot.h"
#include "rename/observed_files.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <iterator>
#include <map>
#include <tuple>
#include <string>
#include <vector>

namespace {

struct Scenario {
    const char* name;
    std::vector<std::string> listed;   // files listed and selected
    std::vector<std::string> present;  // files that are there but not selected
    std::function<void(CRenameDlg&, const TempDir&, ObservedFiles&)> setUp;  // after listing
    std::vector<std::string> renamed;  // names afterwards when failed moves are only counted
};

const Scenario kScenarios[] = {
    {"new names coincide", {"a.txt", "b.txt"}, {},
     [](CRenameDlg& d, const TempDir&, ObservedFiles&) {
         d.m_bChangePrefix = 1;
         d.m_nPrefixPos = 0;
         d.m_strNewPrefix = "same";
     },
     {"same.txt", "b.txt"}},
    // No option set maps two names onto each other, so the targets are swapped on the
    // way to the platform: a -> b and b -> a, each onto an existing file.
    {"swap", {"a.txt", "b.txt"}, {},
     [](CRenameDlg& d, const TempDir& dir, ObservedFiles& files) {
         d.m_bChangeExt = 1;
         d.m_strNewExt = "x";
         files.beforeMove = [&dir](const std::string& from, std::string& to) {
             to = dir.path() + (from == dir.path() + "a.txt" ? "b.txt" : "a.txt");
             return true;
         };
     },
     {"a.txt", "b.txt"}},
    {"target exists", {"a.txt"}, {"a_r.txt"},
     [](CRenameDlg& d, const TempDir&, ObservedFiles&) {
         d.m_bChangePrefix = 1;
         d.m_strNewPrefix = "_r";
     },
     {"a.txt", "a_r.txt"}},
    {"destination missing", {"a.txt", "b.txt"}, {},
     [](CRenameDlg& d, const TempDir& dir, ObservedFiles&) {
         d.m_bChangePrefix = 1;
         d.m_strNewPrefix = "_r";
         d.m_bUseNewDir = 1;
         d.m_strDestination = dir.path() + "missing";
     },
     {"a.txt", "b.txt"}},
    {"file vanished after listing", {"a.txt", "b.txt", "c.txt"}, {},
     [](CRenameDlg& d, const TempDir& dir, ObservedFiles&) {
         d.m_bChangePrefix = 1;
         d.m_strNewPrefix = "_r";
         ::CreateDirectoryA((dir.path() + "elsewhere").c_str(), nullptr);
         ::MoveFileA((dir.path() + "b.txt").c_str(), (dir.path() + "elsewhere\\b.txt").c_str());
     },
     {"a_r.txt", "elsewhere\\b.txt", "c_r.txt"}},
    {"name longer than the file system allows", {"a.txt", "b.txt"}, {},
     [](CRenameDlg& d, const TempDir&, ObservedFiles&) {
         d.m_bChangePrefix = 1;
         d.m_nPrefixPos = 1;
         d.m_strNewPrefix = std::string(256, 'n');
     },
     {"a.txt", "b.txt"}},
};

class NeverLoseAFile : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(NeverLoseAFile, EveryFileKeepsExactlyOneNameAndItsContents) {
    const Scenario& s = kScenarios[std::get<0>(GetParam())];
    const bool abortOnError = std::get<1>(GetParam());
    CapturingSink sink;
    TempDir dir;
    std::map<std::string, int> contents;  // every file's contents, each unique
    for (const std::string& name : s.listed) dir.WriteFile(name, "listed " + name), contents["listed " + name] = 0;
    for (const std::string& name : s.present) dir.WriteFile(name, "present " + name), contents["present " + name] = 0;

    ObservedFiles files;
    {
        CRenameDlg dlg;
        ASSERT_TRUE(dlg.Create());
        dlg.m_bWarnRename = FALSE;
        dlg.m_bAbortOnError = abortOnError;
        dlg.m_strCurDir = dir.path();
        dlg.m_strSearchMask = "*.*";
        dlg.FillFileList();
        HWND list = dlg.GetDlgItem(IDC_FILELIST);
        for (const std::string& name : s.listed) {
            LRESULT index = ::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(name.c_str()));
            ASSERT_GE(index, 0) << name;
            ::SendMessageA(list, LB_SETSEL, TRUE, index);
        }
        s.setUp(dlg, dir, files);
        ClickButton(dlg.GetDlgItem(IDC_RENAME));
        dlg.DestroyWindow();
    }
    EXPECT_FALSE(files.moves.empty());

    const DirSnapshot after = Snapshot(dir.path());
    for (const auto& [path, state] : after) {
        auto it = contents.find(state.contents);
        ASSERT_NE(it, contents.end()) << path << " holds unknown contents";
        ++it->second;
    }
    for (const auto& [text, seen] : contents) EXPECT_EQ(seen, 1) << text;
    EXPECT_EQ(after.size(), contents.size());
    if (!abortOnError) {
        for (const std::string& name : s.renamed) EXPECT_TRUE(after.count(name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, NeverLoseAFile,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(std::size(kScenarios))),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<int, bool>>& info) {
                             std::string name = kScenarios[std::get<0>(info.param)].name;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name + (std::get<1>(info.param) ? "_abort" : "_count");
                         });

}  // namespace
