// The Delete key in the file list deletes the selected files from the disk and
// takes their entries out of the list; every other key keeps its effect.
#include "tools_fixture.h"

namespace {

// `readOnly`: the index of a read-only file that stops the run, -1 for none; no question: "".
TEST_F(ToolsWindow, DeleteKeyDeletesTheSelectedFiles) {
    struct { const char* what; UINT key; std::vector<int> selected; int readOnly, warn, answer;
             const char *question, *listAfter; } cases[] = {
        {"three after the question", VK_DELETE, {0, 2, 4}, -1, TRUE, IDYES, "Delete 3 files?", "b.txt d.txt"},
        {"answer No", VK_DELETE, {1, 3}, -1, TRUE, IDNO, "Delete 2 files?", "a.txt b.txt* c.txt d.txt* e.txt"},
        {"no question when the warning is off", VK_DELETE, {0, 1}, -1, FALSE, IDYES, "", "c.txt d.txt e.txt"},
        {"nothing selected", VK_DELETE, {}, -1, TRUE, IDYES, "", "a.txt b.txt c.txt d.txt e.txt"},
        {"read-only third of five", VK_DELETE, {0, 1, 2, 3, 4}, 2, FALSE, IDYES, "", "c.txt* d.txt* e.txt*"},
        {"Space toggles the caret's entry", VK_SPACE, {1}, -1, TRUE, IDYES, "", "a.txt b.txt c.txt d.txt e.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir fresh;
        ListFiles(fresh, {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"});
        std::string readOnly = fresh.path() + char('a' + c.readOnly) + ".txt";
        if (c.readOnly >= 0) ::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
        for (int i : c.selected) ::SendMessageA(list, LB_SETSEL, TRUE, i);
        dlg.m_bWarnDelete = c.warn;
        sink.messages.clear();
        sink.answers.assign(1, c.answer);

        PressKey(hwnd, list, c.key);

        std::string expected;
        if (*c.question) expected += Box("Are you sure?", c.question, MB_YESNO | MB_ICONQUESTION);
        if (c.readOnly >= 0) expected += Box("Delete Error:", "Cannot delete file: " + readOnly, MB_OK | MB_ICONSTOP);
        EXPECT_EQ(Shown(), expected);
        EXPECT_EQ(ListState(), c.listAfter);
    }
}

}  // namespace
