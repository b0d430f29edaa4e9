// The game's registry key: both values, their caches, the bounded copy, and every failure with
// its reports.
#include "kivo_loader.h"
#include "platform/utf.h"
#include "program_test.h"
#include "tesk_registry.h"

namespace tesk::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class TeskRegistryTest : public ProgramTest {
 protected:
  void Start(const Layout& layout = {}) {
    Prepare(layout);
    ASSERT_EQ(StartKivo(), 1);
    before_ = Trace().size();
  }
  std::vector<std::string> NewReports() {
    const auto trace = Trace();
    return std::vector<std::string>(trace.begin() + static_cast<long>(before_), trace.end());
  }
  std::string Game() const { return gameDir().string() + "/"; }
  size_t before_ = 0;
};

TEST_F(TeskRegistryTest, HandsOutBothValuesFromTheirCaches) {
  Start();
  char16_t buffer[300] = {};
  ASSERT_EQ(ReadTeskRegistry(0, buffer, 300), 1);
  EXPECT_EQ(platform::ToUtf8(buffer), Game());
  const std::string paths = Game() + "classes;" + Game() + "classes/tesk";
  // A changed value is not seen: each is read once.
  host_->WriteRegistry("[HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk]\nRoot=/elsewhere/\nVarno Paths=" +
                       paths + "\n");
  ASSERT_EQ(ReadTeskRegistry(0, buffer, 300), 1);
  EXPECT_EQ(platform::ToUtf8(buffer), Game());
  ASSERT_EQ(ReadTeskRegistry(1, buffer, 300), 1);
  EXPECT_EQ(platform::ToUtf8(buffer), paths);
  ASSERT_EQ(ReadTeskRegistry(1, buffer, 300), 1);
  // The search paths are reported each time they are handed out.
  EXPECT_THAT(NewReports(), ElementsAre("raise: " + paths, "raise: " + paths));
  EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(TeskRegistryTest, AValueThatDoesNotFitIsRefusedAndTheBufferLeftAlone) {
  Start();
  const uint32_t exact = static_cast<uint32_t>(Game().size()) + 1;
  std::u16string buffer(exact, u'#');
  EXPECT_EQ(ReadTeskRegistry(0, buffer.data(), exact - 1), 0);
  EXPECT_EQ(buffer, std::u16string(exact, u'#'));
  EXPECT_EQ(ReadTeskRegistry(0, nullptr, 1024), 0);
  EXPECT_EQ(ReadTeskRegistry(0, buffer.data(), exact), 1);
  EXPECT_EQ(platform::ToUtf8(buffer.c_str()), Game());
  EXPECT_THAT(NewReports(),
              ElementsAre("raise: Registry value does not fit the caller's buffer", "raise: Error retrieving registry key",
                          "raise: Registry value does not fit the caller's buffer", "raise: Error retrieving registry key"));
}

TEST_F(TeskRegistryTest, AnIndexOtherThanZeroOrOneIsNotValid) {
  Start();
  char16_t buffer[4] = {u'a', u'b', u'c', 0};
  EXPECT_EQ(ReadTeskRegistry(2, buffer, 4), 0);
  EXPECT_EQ(std::u16string(buffer), u"abc");
  EXPECT_THAT(NewReports(), ElementsAre("raise: Registry key specified is not valid", "raise: Error retrieving registry key"));
}

TEST_F(TeskRegistryTest, MissingKeyFailsEveryIndex) {
  Layout layout;
  layout.teskKey = false;
  Start(layout);
  char16_t buffer[64];
  for (uint32_t index : {0u, 1u, 2u}) EXPECT_EQ(ReadTeskRegistry(index, buffer, 64), 0);
  // The key is named with its backslashes, in the debug output and in the error log.
  const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk";
  const std::string report = "raise: Couldn't open " + key + " for reading?";
  EXPECT_THAT(NewReports(), ElementsAre(report, report, report));
  EXPECT_THAT(ErrorLog(), HasSubstr(") Couldn't open " + key + " for reading?\n"));
  EXPECT_THAT(messages(), IsEmpty());
}

TEST_F(TeskRegistryTest, MissingValuesReportTheirOwnWay) {
  Start();
  host_->WriteRegistry("[HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk]\nOther=1\n");
  char16_t buffer[64];
  EXPECT_EQ(ReadTeskRegistry(0, buffer, 64), 0);
  EXPECT_EQ(ReadTeskRegistry(1, buffer, 64), 0);
  EXPECT_THAT(NewReports(), ElementsAre("raise: Couldn't open the Tesk Root registry key", "raise: Error retrieving registry key",
                                        "raise: Couldn't open the Varno Paths registry key",
                                        "raise: Error retrieving registry key"));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_EQ(messages()[0].title, u"Error");
  EXPECT_EQ(messages()[0].text, u"GetRegistryKeyP failed with error 2: The system cannot find the file specified.");
}

TEST_F(ProgramTest, BeforeTheCoreTheReaderReportsNothing) {
  Layout layout;
  layout.teskKey = false;
  Prepare(layout);
  char16_t buffer[64];
  EXPECT_EQ(ReadTeskRegistry(0, buffer, 64), 0);
  EXPECT_THAT(Trace(), IsEmpty());
}

}  // namespace
}  // namespace tesk::testing
