// Binding and starting the core: the module path from the registry, one binding per process, and
// the failures that end the start.
#include "host_record.h"
#include "kivo_loader.h"
#include "platform/utf.h"
#include "program_test.h"

namespace tesk::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST_F(ProgramTest, RootPathNamesTheCoreModule) {
  Prepare();
  char16_t path[256];
  ASSERT_EQ(GetKivoRootPath(path, 256), 1);
  EXPECT_EQ(platform::ToUtf8(path), kivoRoot().string() + "core/kivocore.so");
  EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(ProgramTest, RootPathFailsWithoutTheKeyOrValue) {
  Layout layout;
  layout.kivoKey = false;
  Prepare(layout);
  char16_t path[256] = {};
  EXPECT_EQ(GetKivoRootPath(path, 256), 0);
  ASSERT_EQ(messages().size(), 2u);
  EXPECT_EQ(messages()[0].title, u"Kivo Initialization Error!");
  EXPECT_EQ(platform::ToUtf8(messages()[0].text),
            "Cannot open Kivo Root Registry key (expected in): Software\\Ostrawen\\Kivo\\1.0\\");
  EXPECT_EQ(messages()[1].text, u"Cannot open the Root Path value from registry!");
  // A root longer than the value's 256 bytes is refused as well.
  host_->WriteRegistry("[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\nRoot=/" + std::string(130, 'r') + "/\n");
  EXPECT_EQ(GetKivoRootPath(path, 256), 0);
  EXPECT_EQ(messages().size(), 3u);
}

TEST_F(ProgramTest, StartKivoStartsTheCoreOnceAndMakesTheHostRecord) {
  Prepare();
  EXPECT_EQ(Host(), nullptr);
  ASSERT_EQ(StartKivo(), 1);
  ASSERT_NE(CoreInterface(), nullptr);
  EXPECT_EQ(CoreInterface()->size, sizeof(CoreTable));
  EXPECT_EQ(CoreInterface()->version, 2309u);
  ASSERT_NE(Host(), nullptr);
  EXPECT_EQ(Host()->allocated, 1u);
  EXPECT_EQ(Host()->game, nullptr);
  EXPECT_EQ(Host()->quit, 0u);
  EXPECT_EQ(BindKivoCore(CoreInterface()), 1);
  const std::string log = host_->DebugLog();
  EXPECT_EQ(Count(log, "Start with module binding"), 1u);
  EXPECT_EQ(Count(log, "Done with module binding"), 1u);
  EXPECT_THAT(cursors(), ElementsAre(101));
}

TEST_F(ProgramTest, MissingCoreModuleFailsTheStart) {
  Prepare();
  std::filesystem::remove(kivoRoot() / "core/kivocore.so");
  EXPECT_EQ(StartKivo(), 0);
  EXPECT_FALSE(CoreStarted());
  EXPECT_EQ(Host(), nullptr);
  EXPECT_THAT(host_->DebugLog(), HasSubstr("Cannot load the core"));
}

TEST_F(ProgramTest, HostCallbacksFollowTheQuitFlagAndCursorCallback) {
  Prepare();
  EXPECT_EQ(PumpMessages(), 0);  // nothing to pump before the record exists
  EXPECT_EQ(RequestQuit(), 1);
  ASSERT_EQ(StartKivo(), 1);
  static int pumps = 0;
  Host()->pump = [] { ++pumps; };
  EXPECT_EQ(PumpMessages(), 1);
  EXPECT_EQ(VarnoHostCallback(nullptr), 1);
  EXPECT_EQ(RequestQuit(), 1);
  EXPECT_EQ(PumpMessages(), 0);
  EXPECT_EQ(pumps, 3);  // the pump still runs once the flag is set

  EXPECT_EQ(CallCursorCallback(5), 0);
  static uint32_t last = 0;
  EXPECT_EQ(SetCursorCallback([](uint32_t id) -> int32_t {
              last = id;
              return 7;
            }),
            1);
  EXPECT_EQ(CallCursorCallback(0xFFFFFFFEu), 7);
  EXPECT_EQ(last, 0xFFFFFFFEu);
}

}  // namespace
}  // namespace tesk::testing
