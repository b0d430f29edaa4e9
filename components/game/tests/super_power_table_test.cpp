// The super powers' table and its four lookups.
#include <gtest/gtest.h>

#include "game_fixture.h"
#include "notice_forms.h"
#include "platform/utf.h"
#include "super_power_table.h"

namespace gametest {
namespace {

namespace game = tesk::game;
namespace gui = tesk::game::gui;

using SuperPowers = GameTest;

std::string Name(RTInstance g, int32_t index) {
  const char16_t* name = nullptr;
  EXPECT_EQ(game::SuperPowerName(g, index, &name), kRTSuccess);
  return platform::ToUtf8(name);
}

int32_t Index(RTInstance g, const char16_t* name) {
  int32_t index = 99;
  EXPECT_EQ(game::SuperPowerIndex(g, name, &index), kRTSuccess);
  return index;
}

TEST_F(SuperPowers, NamesAndIndexesGoBothWaysAndAnythingElseIsEmptyOrMinusOne) {
  EXPECT_EQ(Name(game(), 0), "Force of Will");
  EXPECT_EQ(Name(game(), 11), "Eidetic Memory");
  EXPECT_EQ(Name(game(), 15), "Pro-Circuit Golf");
  for (int32_t outside : {-1, 16, 1000}) EXPECT_EQ(Name(game(), outside), "empty");
  EXPECT_EQ(Index(game(), u"golf"), 14);
  EXPECT_EQ(Index(game(), u"ULTRA CAFFEINATED"), 13);
  for (const char16_t* other : {u"empty", u"Golf ", u""}) EXPECT_EQ(Index(game(), other), -1);
  EXPECT_EQ(Index(game(), nullptr), -1);
  for (int32_t i = 0; i < 16; ++i) EXPECT_EQ(Index(game(), platform::FromUtf8(Name(game(), i)).c_str()), i);
}

TEST_F(SuperPowers, DescriptionsKeepTheirQuotesAndDoubleSpacesAndNothingIsWrittenOutside) {
  const char16_t* text = nullptr;
  ASSERT_EQ(game::SuperPowerDescription(game(), 2, &text), kRTSuccess);
  EXPECT_EQ(platform::ToUtf8(text).rfind("Like a \"human textbook\"; you rise", 0), 0u);
  for (int32_t index : {1, 3, 5, 9}) {
    ASSERT_EQ(game::SuperPowerDescription(game(), index, &text), kRTSuccess);
    EXPECT_NE(platform::ToUtf8(text).find(".  "), std::string::npos) << index;
  }
  ASSERT_EQ(game::SuperPowerDescription(game(), 11, &text), kRTSuccess);
  EXPECT_NE(platform::ToUtf8(text).find("composure"), std::string::npos);
  const char16_t* untouched = u"kept";
  text = untouched;
  EXPECT_EQ(game::SuperPowerDescription(game(), 16, &text), kRTSuccess);
  EXPECT_EQ(text, untouched);
}

TEST_F(SuperPowers, TheRecordCopiesTheRequirementsAndEveryPowerAsksForThreeSkills) {
  const uint32_t(&levels)[game::kSuperPowerCount][game::kSkillCount] = record().superPowerLevels;
  EXPECT_EQ(std::vector<uint32_t>(levels[0], levels[0] + 6), (std::vector<uint32_t>{0, 0, 2, 3, 3, 0}));
  EXPECT_EQ(std::vector<uint32_t>(levels[13], levels[13] + 6), (std::vector<uint32_t>{0, 6, 0, 0, 7, 8}));
  for (uint32_t power = 0; power < game::kSuperPowerCount; ++power)
    EXPECT_EQ(std::count_if(levels[power], levels[power] + 6, [](uint32_t level) { return level != 0; }), 3) << power;
}

TEST_F(SuperPowers, TheIconTemplateIsTheMasterIconOfItsName) {
  auto* golf = Control<gui::TeskIcon>(u"SMALL_SA_GOLF");
  record().forms.icons = Form({Panel(u"ICONS", {golf, Control<gui::TeskLabel>(u"SA_GOLF_ULTRA")})});
  gui::TeskIcon* icon = nullptr;
  ASSERT_EQ(game::SuperPowerIconTemplate(game(), 14, &icon), kRTSuccess);
  EXPECT_EQ(icon, golf);
  ASSERT_EQ(game::SuperPowerIconTemplate(game(), 15, &icon), kRTSuccess);
  EXPECT_EQ(icon, nullptr) << "a label of that name is no icon";
  icon = golf;
  ASSERT_EQ(game::SuperPowerIconTemplate(game(), -1, &icon), kRTSuccess);
  EXPECT_EQ(icon, golf);
}

}  // namespace
}  // namespace gametest
