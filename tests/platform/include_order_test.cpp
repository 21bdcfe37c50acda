// The services' header before <windows.h>: MoveFile and DeleteFile become macros after
// the class, and calls through them must still reach the services.
#include "support/fake_file_services.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(IncludeOrder, WindowsHeaderAfterTheServices) {
    FakeFileServices fake;
    fake.AddFile("C:\\a.txt");
    FileServices& services = fake;
    EXPECT_TRUE(services.MoveFile("C:\\a.txt", "C:\\b.txt"));
    EXPECT_TRUE(fake.DeleteFile("C:\\b.txt"));
    EXPECT_EQ(fake.log, (std::vector<std::string>{"Move C:\\a.txt -> C:\\b.txt", "Delete C:\\b.txt"}));
}

}  // namespace
