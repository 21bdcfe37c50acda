// The Delete key's flow on the stand-in, with a.txt .. e.txt in C:\: the question, the
// bin, a file that cannot go there deleted for good only after its own question (No
// stops there), a read-only file stopping without one, a stray name refusing them all.
#include "support/fake_file_services.h"
#include "tools/delete_files.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>

namespace {

using Names = std::vector<std::string>;

TEST(DeleteFiles, AsksBinsDeletesForGoodOrStops) {
    const std::string sure = "S|Delete ", cannot = "C|Cannot delete file: C:\\";
    const auto ask = [](const char* name) {
        return std::string("F|C:\\") + name + " cannot go to the Recycle Bin.\n\nDelete it for good?";
    };
    const Names abc = {"a.txt", "b.txt", "c.txt"}, all = {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"};
    // prompts: S sure, F for good, C told; answers: Yes unless given.
    const struct { const char* what; Names chosen; bool warn; std::deque<bool> answers; std::set<std::string> noBin;
                   const char* readOnly; Names log, prompts; size_t deleted; } cases[] = {
        {"three after the question", {"a.txt", "c.txt", "e.txt"}, true, {}, {}, "",
         {"Recycle C:\\a.txt", "Recycle C:\\c.txt", "Recycle C:\\e.txt"}, {sure + "3 files?"}, 3},
        {"answer No", {"b.txt", "d.txt"}, true, {false}, {}, "", {}, {sure + "2 files?"}, 0},
        {"no question when the warning is off", {"a.txt", "b.txt"}, false, {}, {}, "",
         {"Recycle C:\\a.txt", "Recycle C:\\b.txt"}, {}, 2},
        {"nothing chosen", {}, true, {}, {}, "", {}, {}, 0},
        {"read-only third of five", all, false, {}, {}, "c.txt",
         {"Recycle C:\\a.txt", "Recycle C:\\b.txt", "Recycle C:\\c.txt failed"}, {cannot + "c.txt"}, 2},
        {"a drive without a bin, Yes to each", abc, false, {}, {"c:"}, "",
         {"Recycle C:\\a.txt no bin", "Delete C:\\a.txt", "Recycle C:\\b.txt no bin", "Delete C:\\b.txt",
          "Recycle C:\\c.txt no bin", "Delete C:\\c.txt"}, {ask("a.txt"), ask("b.txt"), ask("c.txt")}, 3},
        {"No to the second stops there", abc, false, {false}, {"c:\\b.txt"}, "",
         {"Recycle C:\\a.txt", "Recycle C:\\b.txt no bin"}, {ask("b.txt")}, 1},
        {"read-only on a drive without a bin", abc, false, {}, {"c:"}, "b.txt",
         {"Recycle C:\\a.txt no bin", "Delete C:\\a.txt", "Recycle C:\\b.txt failed"}, {ask("a.txt"), cannot + "b.txt"}, 1},
        {"a stray name: nothing asked or done", {"a.txt", "b\xEF\xBF\xBD.txt"}, true, {}, {}, "", {},
         {"C|b\xEF\xBF\xBD.txt cannot be handled: its name is not valid Unicode."}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeFileServices fake;
        for (const std::string& name : all)
            fake.AddFile("C:\\" + name, kFileArchive | (name == c.readOnly ? kFileReadOnly : 0));
        fake.noBin = c.noBin;
        fake.log.clear();
        std::vector<DeleteEntry> chosen;
        for (const std::string& name : c.chosen) chosen.push_back({name, name.find('\xEF') != std::string::npos});
        std::deque<bool> answers = c.answers;
        Names prompts;
        const size_t deleted = DeleteFiles("C:\\", chosen, c.warn, fake, [&](const DeletePrompt& p) {
            prompts.push_back(std::string(1, "SFC"[static_cast<int>(p.kind)]) + "|" + p.text);
            const bool yes = answers.empty() || answers.front();
            if (!answers.empty()) answers.pop_front();
            return yes;
        });
        EXPECT_EQ(fake.log, c.log);
        EXPECT_EQ(prompts, c.prompts);
        EXPECT_EQ(deleted, c.deleted);
    }
}

}  // namespace
