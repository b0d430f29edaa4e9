#include "game_fixture.h"

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "host/run_command.h"
#include "host/stream_bytes.h"
#include "host/temp_dir.h"
#include "platform/clock.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"

namespace gametest {

namespace {

constexpr std::string_view kComponents[] = {"RTVarno",           "RTVarnoController", "RTVarnoGame",
                                            "RTTeskTimer",       "RTFMODAudioService", "RTAudioSource",
                                            "RTAudioBufferInfo", "RTRoutePlanner",    "RTPathfinding",
                                            "RTTeskGame",        "RTInspector2"};

constexpr char kThingSource[] =
    "Thing is nothing;\n\nattributes\n{\n  name is string;\n}\n\nmethod constructor()\n{\n}\n";

constexpr char kProbeSource[] = R"(Probe is Thing;

attributes
{
  lastName is string;
  pauses is number;
  resumes is number;
  attendingDoc is Probe;
  bMouseOver is bool;
  bHandsOff is bool;
  numHeals is number;
  numDeaths is number;
  perkFailures is number;
  shots is number;
  heard is string;
  scenario is number;
  Persistents is Probe;
  firstName is string;
  playerName is string;
  hygiene is number;
  energy is number;
  composure is number;
  staffClass is number;
  problem is number;
  problem_severity is number;
  numKnownProblems is number;
  bDiagnosisFailure is number;
  skills is list;
  problemList is list;
  problemSeverityList is list;
  bDiagnosed is number;
  prestige is number;
  episodeStartPrestige is number;
  episodeStartDisposition is number;
  episodeEndDisposition is number;
  baseSkills is list;
  episodeStartSkills is list;
  EdictsCompleted is list;
  EdictsFailed is list;
}

event OnPause()
{
  pauses = pauses + 1;
}

event OnUnPause()
{
  resumes = resumes + 1;
}

event PerkUsageFailed()
{
  perkFailures = perkFailures + 1;
}

event DoTakeShot(n is number)
{
  shots = shots + 1;
}

' The events and calls of the screens, as "name argument;" in the order heard.
event StartEpisode(n is number)
{
  heard = heard + "StartEpisode " + n + ";";
}

event GenericDialogInput(n is number)
{
  heard = heard + "GenericDialogInput " + n + ";";
}

event GenericConfirmationInput()
{
  heard = heard + "GenericConfirmationInput;";
}

event DoReturnToMain()
{
  heard = heard + "DoReturnToMain;";
}

event DoNextEpisode()
{
  heard = heard + "DoNextEpisode;";
}

event DoExit()
{
  heard = heard + "DoExit;";
}

event DoPlayCredits()
{
  heard = heard + "DoPlayCredits;";
}

' The scenario's keeper, as a game's "Persistents".
method KeepPersistents(other is Probe)
{
  Persistents = other;
}

' The lists of the tool tips and the between-episodes screen.
method MakeLists()
{
  skills = [0, 0, 0, 0, 0, 0];
  problemList = [0, 0, 0, 0, 0];
  problemSeverityList = [0, 0, 0, 0, 0];
  baseSkills = [0, 0, 0, 0, 0, 0];
  episodeStartSkills = [0, 0, 0, 0, 0, 0];
  EdictsCompleted = ["Clean the lobby", "Hire a nurse"];
  EdictsFailed = ["Cut the budget"];
}

method Attend(doctor is Probe)
{
  attendingDoc = doctor;
}

method SetDifficulty(level is number)
{
  heard = heard + "SetDifficulty " + level + ";";
}

state Switchboard
{
}
)";

// Ends the run when the scheduler comes back to the first context the second time: one whole pass.
int gCallbacks = 0;
int32_t EndAfterOnePass(RTInstance) { return ++gCallbacks % 2 == 1 ? 1 : 0; }

// The images of Startup's texture table, both start-up variants included.
constexpr const char* kImages[] = {
    "AOI_OUTER",      "AOI_INNER",      "AOI_POWERS",     "INTERFACE_PLATE_A", "NUMBERS",         "INTERFACE_PLATE_B",
    "RED_NUMBERS",    "GREEN_NUMBERS",  "BIG_NUMBERS",    "BIG_GREEN_NUMBERS", "BIG_RED_NUMBERS", "MAIN_A",
    "MAIN_B",         "MAIN_C",         "MAIN_D",         "STARTUP_TL",        "STARTUP_TR",      "STARTUP_BL",
    "STARTUP_BR",     "STARTUP_800_TL", "STARTUP_800_TR", "STARTUP_800_BL",    "STARTUP_800_BR",  "GENERAL_ICONS",
    "STARTUP_BUTTONS", "PERK_ICONS",    "1024_elements",  "LEFT_BUTTONS",      "RIGHT_BUTTONS",   "CONV_TOPICS",
    "PORTAL_BALLS_A", "PORTAL_BALLS_B", "LOADING_A",      "LOADING_B"};

// Controls of the fixture's form by kind: every control that start-up's steps and the frame name.
constexpr const char* kFixtureLabels[] = {
    "NEU_AFF",          "CAR_AFF",          "TOX_AFF",          "PED_AFF",         "ORT_AFF",
    "GEN_AFF",          "LG_FILE_DOC_NAME", "LG_FILE_EPI_NUM",  "LG_FILE_EPI_NAME", "LG_FILE_SHIFT_TIME",
    "SG_FILE_DOC_NAME", "SG_FILE_EPI_NUM",  "SG_FILE_EPI_NAME", "SG_FILE_SHIFT_TIME", "SP_PRES_LEVEL",
    "EXP_TOX_AFF_LBL",  "EXP_CAR_AFF_LBL",  "EXP_PED_AFF_LBL",  "EXP_GEN_AFF_LBL", "EXP_ORT_AFF_LBL",
    "EXP_NEU_AFF_LBL",  "STD_CARDIO",       "STD_PEDIA",        "STD_ORTH",        "STD_NEURO",
    "STD_TOX",          "STD_GENSURG",      "1_LBL",            "2_LBL",           "A_LBL",
    "GOSSIP_PER1_TYPE", "GOSSIP_PER2_TYPE", "GOSSIP_PER1_LASTNAME", "GOSSIP_PER2_LASTNAME", "GOSSIP_TEXT"};
constexpr const char* kFixturePanels[] = {"MAIN_PANEL",    "CONFIRM_PANEL", "TQ_DROP",        "PS_HINT_PNL",
                                          "PS_HINT_PNL2",  "TI_HINT_PNL",   "SCENARIO_PANEL", "CURB_ACK_PNL"};
constexpr const char* kFixtureIcons[] = {
    "SP_PERK_01",     "SP_PERK_02",   "SP_PERK_03",      "SP_PERK_04",     "BOLT_ICON",     "CONV_LAUGH",
    "CONV_GOSSIP",    "CONV_SOCIAL",  "CONV_WEATHER",    "CONV_CONFIDE",   "CONV_SYMPATHY", "CONV_FLIRT",
    "CONV_LOVE",      "CONV_ANGRY",   "CONV_CRY",        "CONV_PERKS",     "CONV_TALK",     "CONV_DISLIKE",
    "TOPICS_TV",      "TOPICS_SPORTS", "TOPICS_OPERA",   "TOPICS_TRAVEL",  "TOPICS_POLITICS", "TOPICS_DISLIKES",
    "DISLIKE_HEAD_BG", "BOOST_FITNESS", "BOOST_FITNESS_PENALTY", "BOOST_GAMERS", "PROX_ALERT", "FLOOR_TOGGLE",
    "1_ICON",         "2_ICON",       "A_ICON",          "GEN_SKILL",      "TOX_SKILL",     "NEU_SKILL",
    "CAR_SKILL",      "PED_SKILL",    "ORT_SKILL",       "BG_BAR_1",       "BG_BAR_2",      "CONV_BG_BAR_R1",
    "CONV_BG_BAR_R2", "CONV_BG_BAR_L1", "CONV_BG_BAR_L2", "GOSSIP_3ICN",   "GOSSIP_PER1",   "GOSSIP_PER2",
    "SPECIALS_BUTTON", "DEFAULT_PORTAL"};

// The resource file in the form RTResource streams: version 1, the count, then per stream its name
// and its bytes (u32 size first).
std::string ResourceFile(const std::vector<ResourceItem>& items) {
  tesk::testing::StreamBytes file;
  file.U32(1).U32(static_cast<uint32_t>(items.size()));
  for (const ResourceItem& item : items)
    file.Wide(platform::FromUtf8(item.name)).U32(static_cast<uint32_t>(item.bytes.size())).Raw(item.bytes);
  return file.bytes();
}

// The tap on the core table: the game's resource opens and the releases of what they handed out.
struct ResourceTap {
  CoreTable* table = nullptr;
  decltype(CoreTable::OpenResourceStream) open = nullptr;
  decltype(CoreTable::ReleaseInstance) release = nullptr;
  std::vector<std::u16string> opened;
  std::multiset<RTInstance> live;
};
ResourceTap gTap;

RTSuccess TappedOpen(RTInstance ctx, const char16_t* className, const char16_t* name, RTInstance* out) {
  const RTSuccess result = gTap.open(ctx, className, name, out);
  if (className && std::u16string_view(className) == tesk::game::kClassName) {
    gTap.opened.push_back(name ? name : u"");
    if (result && out && *out) gTap.live.insert(*out);
  }
  return result;
}

RTSuccess TappedRelease(RTInstance ctx, RTInstance instance) {
  const auto found = gTap.live.find(instance);
  if (found != gTap.live.end()) gTap.live.erase(found);
  return gTap.release(ctx, instance);
}

int32_t gWidthOption = 0;
int32_t gDebugKeysOption = 0;
int32_t AnswerOption(int32_t id, int32_t* value) {
  *value = id == 1 ? gWidthOption : id == 9 ? 12 : id == 10 ? gDebugKeysOption : 0;
  return 1;
}
int32_t TakeOption(int32_t, int32_t) { return 1; }

}  // namespace

std::string Utf16(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

std::string FixtureFormJson() {
  std::string json = R"({"type": "form", "name": "FIXTURE", "width": 640, "height": 480, "children": [)";
  json += R"({"type": "panel", "name": "SS_SSG_PNL", "x": 5, "y": 6, "width": 301, "height": 201},)";
  json += R"({"type": "icon", "name": "CAM_ROT_ICON", "x": 7, "y": 8, "width": 40, "height": 30},)";
  json += R"({"type": "editbox", "name": "SS_SSG_EDIT_BOX", "width": 200, "height": 20, "text": ""},)";
  for (const char* name : kFixturePanels)
    json += std::string(R"({"type": "panel", "name": ")") + name + R"(", "width": 50, "height": 40},)";
  for (const char* name : kFixtureLabels)
    json += std::string(R"({"type": "label", "name": ")") + name + R"(", "text": "text"},)";
  for (const char* name : kFixtureIcons)
    json += std::string(R"({"type": "icon", "name": ")") + name + R"(", "width": 20, "height": 20},)";
  for (int bar = 1; bar <= 3; ++bar)
    json += R"({"type": "progressbar", "name": "IN_TAB_EXP_REQ_PB_)" + std::to_string(bar) + R"("},)";
  json += R"({"type": "tabpanel", "name": "IN_TAB", "pages": [{"name": "Experience"}, {"name": "Log", "panel":
    {"children": [{"type": "listbox", "name": "IN_TAB_LOG_LOG_LIST", "items": [{"text": "a"}, {"text": "b"}]}]}}]}]})";
  return json;
}

std::string CompiledForm(const std::string& json) {
  static std::map<std::string, std::string> compiled;
  if (const auto found = compiled.find(json); found != compiled.end()) return found->second;
  tesk::testing::TempDir dir;
  tesk::testing::WriteFile(dir.path() / "form.json", json);
  tesk::testing::WriteFile(dir.path() / "streams.json", R"({"streams": [{"name": "F", "form": "form.json"}]})");
  const auto run = tesk::testing::RunCommand(
      std::string(KIVOPACK) + " resource " + tesk::testing::Quoted((dir.path() / "streams.json").string()) + " " +
          tesk::testing::Quoted((dir.path() / "F.resource").string()),
      dir.path());
  EXPECT_EQ(run.status, 0) << run.err;
  // The resource file of one stream: version, count, the name "F" (length, units, terminator), the
  // byte count and the bytes.
  const std::string file = tesk::testing::ReadFile(dir.path() / "F.resource");
  constexpr size_t kBytesAt = 4 + 4 + 4 + 4 + 4;
  const std::string bytes = file.size() > kBytesAt ? file.substr(kBytesAt) : std::string();
  return compiled[json] = bytes;
}

std::vector<std::string> FormNames1024() {
  return {"MENU_SECURITY",     "MENU_CHAR_SCREEN",  "MENU_BBALL_SETUP",   "MENU_MAIN",
          "MENU_LOAD",         "MENU_SAVE",         "PERK_SWAP",          "MM_DOCTOR",
          "MM_PATIENT",        "MENU_INFO_SCREEN",  "MENU_TOPICS_SCREEN", "MENU_GAME_OPTIONS_SCREEN",
          "MENU_MAIN",         "MENU_QUICK_SAVE",   "MENU_START_GAME",    "MENU_MAIN_ICONS",
          "MENU_CURBSIDE_SCREEN", "MENU_CURBSIDE_POPUP", "MENU_PICK_STAFF_SCREEN", "MENU_PATIENT_DATA",
          "MENU_SPECIALS",     "MENU_GAME_OVER",    "MENU_BETWEEN_EP",    "MENU_GENERIC",
          "MENU_CONFIRMATION", "MENU_STAFF_MGT_1",  "MENU_STAFF_MGT_2",   "MENU_STAFF_MGT_3",
          "MENU_CHEAT",        "MENU_PAT_TOOLTIP",  "MENU_DOC_TOOLTIP",   "MENU_ICONS_1",
          "MENU_EDICT_BOX",    "MENU_WARNING",      "MENU_TUT_CONT",      "HUD_PANEL_1024",
          "MENU_GOSSIP",       "MENU_EPILOGUE",     "MENU_HESTLOW_FIRE",  "HUD_CONVO_1024"};
}

std::vector<std::string> FormNames800() {
  std::vector<std::string> names;
  for (const std::string& name : FormNames1024()) {
    if (name == "MENU_BBALL_SETUP" || name == "MENU_CHEAT")
      names.push_back(name);
    else if (name == "MENU_ICONS_1")
      names.push_back("MENU_ICONS_800");
    else if (name.ends_with("_1024"))
      names.push_back(name.substr(0, name.size() - 4) + "800");
    else
      names.push_back(name + "_800");
  }
  return names;
}

std::vector<ResourceItem> CompleteResources() {
  const std::vector<uint8_t> png = tesk::testing::TinyPng();
  std::vector<ResourceItem> items;
  for (const char* image : kImages) items.push_back({image, std::string(png.begin(), png.end())});
  std::set<std::string> forms;
  for (const auto& names : {FormNames1024(), FormNames800(), std::vector<std::string>{"MENU_MAIN_ICONS_DEBUG"}})
    forms.insert(names.begin(), names.end());
  const std::string form = CompiledForm(FixtureFormJson());
  for (const std::string& name : forms) items.push_back({name, form});
  for (const auto& [name, text] : {std::pair{"AOI_RADIUS", u"1.5"}, {"BEAN_DISTANCE", u"0.6"}, {"BEAN_SIZE", u"0.25"},
                                   {"BEAN_SPEED", u"2"}, {"AOI_ADDITIVE", u"3.75"}})
    items.push_back({name, Utf16(text)});
  return items;
}

std::vector<std::u16string> AllFonts() { return {u"Verdana", u"Verdana14o", u"Verdana18o", u"Monospaced32"}; }

void GameTest::InstallMore(tesk::testing::CoreHost& host) {
  const std::vector<std::string> leftOut = LeftOut();
  for (std::string_view name : kComponents)
    if (std::find(leftOut.begin(), leftOut.end(), name) == leftOut.end())
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  host.InstallComponent(RECORDING_ACTOR);
  host.InstallComponent(RECORDING_FONT);
  // Beside the game's library, where the core looks for it when the library is registered.
  tesk::testing::WriteFile(host.root() / "components/RTTeskGame.resource", ResourceFile(Resources()));
}

void GameTest::SetUp() {
  setenv("ALSOFT_DRIVERS", "null", 0);
  platform::SetManualClock(1'000'000'000);
  SoftwareRasterizer::SetUp();
  ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, scripting::kClassName, &varno_, 1, nullptr));
  const std::filesystem::path file = host_.root() / "classes/Probe.varno";
  tesk::testing::WriteFile(host_.root() / "classes/Thing.varno", kThingSource);
  tesk::testing::WriteFile(file, kProbeSource);
  const std::u16string folder = platform::FromUtf8((host_.root() / "classes/").string());
  ASSERT_TRUE(scripting::AddSearchPath(varno_, folder.c_str()));
  const std::u16string wide = platform::FromUtf8(file.string());
  uint32_t parsedType = 0;
  ASSERT_TRUE(scripting::VarnoParseBrellinAnsiFile(varno_, wide.c_str(), &parsedType, &table_, nullptr))
      << host_.DebugLog();
  for (const auto& [name, source] : MoreClasses()) {
    const std::filesystem::path more = host_.root() / ("classes/" + name + ".varno");
    tesk::testing::WriteFile(more, source);
    const std::u16string path = platform::FromUtf8(more.string());
    scripting::TypeTable made = nullptr;
    ASSERT_TRUE(scripting::VarnoParseBrellinAnsiFile(varno_, path.c_str(), &parsedType, &made, table_))
        << host_.DebugLog();
  }
  ASSERT_TRUE(scripting::TypeTableGenerateCode(varno_, table_));
  ASSERT_TRUE(scripting::TypeTableRetrieveTypeIdxByName(varno_, table_, u"Probe", &probeType_));
  ASSERT_TRUE(scripting::TypeTableRetrieveTypeIdxByName(varno_, table_, u"Thing", &thingType_));
  ASSERT_TRUE(scripting::VarnoVMFactory(varno_, &vm_));
  ASSERT_TRUE(scripting::VarnoVMSetTypeTable(varno_, vm_, table_));
  ASSERT_TRUE(scripting::VarnoVMSetHostCallback(varno_, vm_, EndAfterOnePass, nullptr));
  core().GetFirstInstanceByString(nullptr, tesk::game::kClassName, game_.out(), 1, nullptr);
  ASSERT_NE(game_.get(), nullptr);
  // A library that stayed loaded from an earlier test starts as a freshly loaded one.
  *record().library = tesk::game::GameLibrary{};
  gTap = ResourceTap{};
  gTap.table = &core();
  gTap.open = core().OpenResourceStream;
  gTap.release = core().ReleaseInstance;
  core().OpenResourceStream = TappedOpen;
  core().ReleaseInstance = TappedRelease;

  const std::vector<std::u16string> fonts = Fonts();
  if (fonts.empty()) return;
  RTInstance root = nullptr;
  ASSERT_TRUE(core().GetRoot(nullptr, &root));
  kivo::InstanceRef fontFolder;
  ASSERT_TRUE(core().CreateInstanceByString(root, u"RTComponent", fontFolder.out(), 0, 0));
  core().ReleaseInstance(nullptr, root);
  ASSERT_TRUE(core().SetInstanceName(nullptr, fontFolder.get(), u"Fonts"));
  for (const std::u16string& name : fonts) {
    kivo::InstanceRef font;
    ASSERT_TRUE(core().CreateInstanceByString(fontFolder.get(), u"RTFont", font.out(), 0, 0));
    ASSERT_TRUE(core().SetInstanceName(nullptr, font.get(), name.c_str()));
    fonts_.push_back(std::move(font));
  }
  fonts_.push_back(std::move(fontFolder));
}

void GameTest::TearDown() {
  game_.Reset();
  while (!fonts_.empty()) fonts_.erase(fonts_.begin());
  if (gTap.table) {
    gTap.table->OpenResourceStream = gTap.open;
    gTap.table->ReleaseInstance = gTap.release;
    gTap = ResourceTap{};
  }
  if (varno_) {
    scripting::VarnoVMDestructor(varno_, vm_);
    scripting::TypeTableDestructor(varno_, table_);
    core().ReleaseInstance(nullptr, varno_);
  }
  SoftwareRasterizer::TearDown();
  platform::UseRealClock();
}

void GameTest::GiveWindow(int32_t width, uint32_t windowWidth, uint32_t windowHeight, int32_t debugKeys) {
  gWidthOption = width;
  gDebugKeysOption = debugKeys;
  ASSERT_TRUE(kivo::CallMethod(game(), tesk::game::kLevel, tesk::game::kSetOptionCallbacks, TakeOption, AnswerOption));
  ASSERT_TRUE(kivo::CallMethod(game(), tesk::game::kLevel, tesk::game::kSetMainWindowHandle, static_cast<void*>(nullptr),
                               windowWidth, windowHeight));
}

const std::vector<std::u16string>& GameTest::OpenedResources() const { return gTap.opened; }

scripting::Symbol GameTest::NewThing() {
  scripting::Symbol object = nullptr;
  EXPECT_TRUE(scripting::VarnoVMConstructObject(varno_, vm_, thingType_, &object));
  return object;
}

scripting::Symbol GameTest::NewObjectOf(const char16_t* className) {
  uint32_t type = 0;
  scripting::Symbol object = nullptr;
  EXPECT_TRUE(scripting::TypeTableRetrieveTypeIdxByName(varno_, table_, className, &type));
  EXPECT_TRUE(scripting::VarnoVMConstructObject(varno_, vm_, type, &object));
  return object;
}

int GameTest::LiveResourceStreams() const { return static_cast<int>(gTap.live.size()); }

scripting::Symbol GameTest::NewProbe() {
  scripting::Symbol object = nullptr;
  EXPECT_TRUE(scripting::VarnoVMConstructObject(varno_, vm_, probeType_, &object));
  return object;
}

scripting::Symbol GameTest::NewProbeWithLists() {
  const scripting::Symbol object = NewProbe();
  EXPECT_TRUE(scripting::VarnoVMSetNewContext(varno_, vm_, object, u"Switchboard", 0));
  EXPECT_TRUE(scripting::RunMethodByName(varno_, vm_, object, u"MakeLists", 1));
  return object;
}

RTSuccess GameTest::CallScript(varno::NativeMethodSlot slot, std::vector<Cell> arguments, Cell* result, scripting::Symbol object) {
  Cell ignored{};
  return kivo::CallMethod(game(), tesk::game::kLevel, slot, object, static_cast<uint32_t>(arguments.size()),
                          arguments.empty() ? nullptr : arguments.data(), result ? result : &ignored, vm_);
}

void GameTest::RunOnePass(scripting::Symbol object) {
  gCallbacks = 0;
  ASSERT_TRUE(scripting::VarnoVMSetNewContext(varno_, vm_, object, u"Switchboard", 0));
  scripting::VarnoVMRun(varno_, vm_);
}

void GameTest::SetText(scripting::Symbol object, const char16_t* name, const char16_t* text) {
  Cell value{};
  value.type = varno::kTypeString;
  value.value.text = const_cast<char16_t*>(text);
  ASSERT_TRUE(scripting::SymbolWriteAttribute(varno_, vm_, object, name, scripting::kWholeAttribute, &value));
}

void GameTest::SetNumber(scripting::Symbol object, const char16_t* name, int32_t number) {
  const Cell value = NumberCell(number);
  ASSERT_TRUE(scripting::SymbolWriteAttribute(varno_, vm_, object, name, scripting::kWholeAttribute, &value));
}

int32_t GameTest::Number(scripting::Symbol object, const char16_t* name) {
  Cell value{};
  EXPECT_TRUE(scripting::SymbolReadAttribute(varno_, vm_, object, name, scripting::kWholeAttribute, varno::kTypeNumber,
                                             &value));
  return value.value.number;
}

std::vector<std::string> GameTest::LogLines() const {
  std::vector<std::string> lines;
  std::istringstream log(host_.DebugLog());
  for (std::string line; std::getline(log, line);) lines.push_back(line);
  return lines;
}

size_t GameTest::Logged(const std::string& text) const {
  size_t count = 0;
  for (const std::string& line : LogLines()) count += line.find(text) != std::string::npos;
  return count;
}

Cell GameTest::NumberCell(int32_t n) {
  Cell cell{};
  cell.type = varno::kTypeNumber;
  cell.value.number = n;
  return cell;
}

Cell GameTest::TextCell(const char16_t* text) {
  Cell cell{};
  cell.type = varno::kTypeString;
  cell.value.text = const_cast<char16_t*>(text);
  return cell;
}

void GameTest::SetElement(scripting::Symbol object, const char16_t* name, uint32_t element, int32_t number) {
  const Cell value = NumberCell(number);
  ASSERT_TRUE(scripting::SymbolWriteAttribute(varno_, vm_, object, name, element, &value)) << platform::ToUtf8(name);
}

Cell GameTest::RealCell(float r) {
  Cell cell{};
  cell.type = varno::kTypeReal;
  cell.value.real = r;
  return cell;
}

Cell GameTest::PointerCell(void* p) {
  Cell cell{};
  cell.value.pointer = p;
  return cell;
}

}  // namespace gametest
