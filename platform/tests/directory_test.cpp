#include "platform/directory.h"

#include <gtest/gtest.h>

#include "host/temp_dir.h"

namespace {

TEST(Directory, ListsSortedIgnoringCaseAndTellsLinkedFoldersApart) {
  tesk::testing::TempDir dir;
  tesk::testing::WriteFile(dir.path() / "b.so", "");
  tesk::testing::WriteFile(dir.path() / "A.so", "");
  tesk::testing::WriteFile(dir.path() / "Sub/c.so", "");
  std::filesystem::create_directory_symlink(dir.path() / "Sub", dir.path() / "linked");

  const auto entries = platform::ListDirectory(dir.path());
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, "A.so");
  EXPECT_EQ(entries[1].name, "b.so");
  EXPECT_EQ(entries[2].name, "linked");
  EXPECT_EQ(entries[3].name, "Sub");
  EXPECT_TRUE(entries[0].isFile);
  EXPECT_FALSE(entries[2].isDirectory) << "a linked folder is not followed";
  EXPECT_TRUE(entries[3].isDirectory);
  EXPECT_TRUE(platform::ListDirectory(dir.path() / "missing").empty());
}

}  // namespace
