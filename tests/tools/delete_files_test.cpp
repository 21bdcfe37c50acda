// The Delete key in the file list deletes the selected files from the disk and
// takes their entries out of the list; every other key keeps its effect.
#include "tools_fixture.h"

#include <algorithm>

namespace {

struct DeleteCase {
    const char* what;
    std::vector<std::string> files;
    std::vector<int> selected;
    int readOnly;              // index of a read-only file, -1 for none
    int warn;                  // m_bWarnDelete
    int answer;                // answer to the question
    std::string question;      // expected question, "" for none
    std::vector<std::string> entriesAfter;
    std::vector<int> selectedAfter;
    std::string failedFile;    // expected in "Cannot delete file: ", "" for none
};

TEST_F(ToolsWindow, DeleteKeyDeletesTheSelectedFiles) {
    const std::vector<std::string> five = {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"};
    const DeleteCase cases[] = {
        {"three after the question", five, {0, 2, 4}, -1, TRUE, IDYES, "Delete 3 files?",
         {"b.txt", "d.txt"}, {}, ""},
        {"one, text stays plural", five, {3}, -1, TRUE, IDYES, "Delete 1 files?",
         {"a.txt", "b.txt", "c.txt", "e.txt"}, {}, ""},
        {"answer No", five, {1, 3}, -1, TRUE, IDNO, "Delete 2 files?",
         five, {1, 3}, ""},
        {"no question when the warning is off", five, {0, 1}, -1, FALSE, IDYES, "",
         {"c.txt", "d.txt", "e.txt"}, {}, ""},
        {"nothing selected", five, {}, -1, TRUE, IDYES, "",
         five, {}, ""},
        {"read-only third of five", five, {0, 1, 2, 3, 4}, 2, FALSE, IDYES, "",
         {"c.txt", "d.txt", "e.txt"}, {0, 1, 2}, "c.txt"},
        {"read-only first stops at once", five, {0, 4}, 0, TRUE, IDYES, "Delete 2 files?",
         five, {0, 4}, "a.txt"},
    };
    for (const DeleteCase& c : cases) {
        SCOPED_TRACE(c.what);
        ListFiles(c.files);
        if (c.readOnly >= 0)
            ::SetFileAttributesA((dir.path() + c.files[c.readOnly]).c_str(), FILE_ATTRIBUTE_READONLY);
        Select(c.selected);
        dlg.m_bWarnDelete = c.warn;
        sink.messages.clear();
        sink.answers.clear();
        sink.Answer(c.answer);

        PressKey(hwnd, list, VK_DELETE);

        std::vector<ShownMessage> expected;
        if (!c.question.empty())
            expected.push_back({c.question, "Are you sure?", static_cast<UINT>(MB_YESNO | MB_ICONQUESTION)});
        if (!c.failedFile.empty())
            expected.push_back({"Cannot delete file: " + dir.path() + c.failedFile, "Delete Error:",
                                static_cast<UINT>(MB_OK | MB_ICONSTOP)});
        ASSERT_EQ(sink.messages.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(sink.messages[i].text, expected[i].text);
            EXPECT_EQ(sink.messages[i].title, expected[i].title);
            EXPECT_EQ(sink.messages[i].flags, expected[i].flags);
        }
        EXPECT_EQ(Entries(), c.entriesAfter);
        EXPECT_EQ(Selected(), c.selectedAfter);
        for (const std::string& name : c.files) {
            bool listed = std::find(c.entriesAfter.begin(), c.entriesAfter.end(), name) != c.entriesAfter.end();
            EXPECT_EQ(FileExists(dir.path() + name), listed) << name;
        }
        for (const std::string& name : c.files) {
            std::string path = dir.path() + name;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(path.c_str());
        }
    }
}

// The list moves its caret as usual: the window lets every key but Delete through.
TEST_F(ToolsWindow, OtherKeysKeepTheirEffectInTheList) {
    struct KeyCase { UINT key; int caretAfter; };
    const KeyCase cases[] = {{VK_DOWN, 2}, {VK_UP, 0}, {VK_END, 4}, {VK_HOME, 0}, {VK_NEXT, 4}};
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.key);
        ListFiles({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
        ::SendMessageA(list, LB_SETSEL, TRUE, 1);
        ::SendMessageA(list, LB_SETCARETINDEX, 1, FALSE);
        sink.messages.clear();

        PressKey(hwnd, list, c.key);

        EXPECT_EQ(Caret(), c.caretAfter);
        EXPECT_EQ(Entries().size(), 5u);
        EXPECT_TRUE(sink.messages.empty());
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
            EXPECT_TRUE(FileExists(dir.path() + name)) << name;
    }
}

}  // namespace
