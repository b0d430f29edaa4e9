#include "patient_bar_view.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

#include "kivo/actor/actor_calls.h"
#include "kivo/support/list.h"
#include "patient_entry.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"
#include "varno/scripting_calls.h"

namespace hudview {

namespace {

namespace game = tesk::game;
namespace scripting = varno::scripting;
using Cell = varno::RTVarnoConstantValue;

// The members the bar reads of patients, doctors and beds, in one class: the root class of a type
// table of hudview's own.
constexpr char kWardSource[] = R"(Thing is nothing;

attributes
{
  name is string;
  attendingDoc is Thing;
  currentPatient is Thing;
  seekedBed is Thing;
  bDiagnosed is bool;
  problem is number;
  problem_severity is number;
  numKnownProblems is number;
  bIsInTesting is bool;
  bHasNurse is bool;
  bPlayerMO is bool;
}

method constructor()
{
}

method RemoveFromPatList(p is Thing)
{
}

method AddToPatList(p is Thing)
{
}
)";

enum class Animation { kNone, kArrival, kLeaving, kShake };

struct Shot {
  const char* file;
  Animation animation;
  uint32_t frame;
  bool hovered;  // slot 1 under the pointer
};
constexpr Shot kShots[] = {{"arrival-10.png", Animation::kArrival, 10, false},
                           {"arrival-27.png", Animation::kArrival, 27, false},
                           {"arrival-40.png", Animation::kArrival, 40, false},
                           {"leaving-20.png", Animation::kLeaving, 20, false},
                           {"shake.png", Animation::kShake, 3, false},
                           {"hovered.png", Animation::kNone, 0, true}};

// The script side: a VM with the class, its objects and the actors registered with the game.
class Ward {
 public:
  explicit Ward(HudGame& hud) : hud_(hud), varno_(hud.record().varno) {}
  ~Ward() {
    for (RTTeskActorWrapper& wrapper : wrappers_)
      kivo::CallMethod(hud_.instance(), game::kLevel, game::kRemoveActor, &wrapper);
    hud_.record().playerObject = nullptr;
    hud_.record().vm = nullptr;
    if (vm_) scripting::VarnoVMDestructor(varno_, vm_);
    if (table_) scripting::TypeTableDestructor(varno_, table_);
  }

  bool Start(std::string* error) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("hudview-ward-" + std::to_string(::getpid()) + ".varno");
    std::ofstream(file) << kWardSource;
    const std::u16string path = platform::FromUtf8(file.string());
    const bool made = varno_ && scripting::VarnoParseBrellinAnsiFile(varno_, path.c_str(), &type_, &table_, nullptr) &&
                      scripting::TypeTableGenerateCode(varno_, table_) && scripting::VarnoVMFactory(varno_, &vm_) &&
                      scripting::VarnoVMSetTypeTable(varno_, vm_, table_);
    std::filesystem::remove(file);
    if (!made) *error = "the patients' script class does not compile";
    hud_.record().vm = vm_;
    return made;
  }

  // A registered actor of a new object.
  scripting::Symbol Actor(const char16_t* name) {
    scripting::Symbol object = nullptr;
    scripting::VarnoVMConstructObject(varno_, vm_, type_, &object);
    Write(object, u"name", varno::kTypeString, const_cast<char16_t*>(name));
    RTTeskActorWrapper& wrapper = wrappers_.emplace_back();
    wrapper.ScriptObject = object;
    game::call::AddActor(hud_.instance(), &wrapper);
    return object;
  }
  scripting::Symbol Bed(bool nurse) {
    scripting::Symbol bed = nullptr;
    scripting::VarnoVMConstructObject(varno_, vm_, type_, &bed);
    Flag(bed, u"bHasNurse", nurse);
    return bed;
  }
  scripting::Symbol Patient(const char16_t* name, scripting::Symbol doctor, int32_t code, int32_t severity,
                            scripting::Symbol bed) {
    const scripting::Symbol patient = Actor(name);
    Write(patient, u"attendingDoc", varno::kFirstClassType, doctor);
    Write(patient, u"seekedBed", varno::kFirstClassType, bed);
    Flag(patient, u"bDiagnosed", severity >= 0);
    Number(patient, u"problem", code);
    Number(patient, u"problem_severity", severity);
    Number(patient, u"numKnownProblems", 1);
    return patient;
  }
  void Flag(scripting::Symbol object, const char16_t* name, bool flag) {
    Cell cell{};
    cell.type = varno::kTypeBool;
    cell.value.number = flag ? 1 : 0;
    scripting::SymbolWriteAttribute(varno_, vm_, object, name, scripting::kWholeAttribute, &cell);
  }
  void Number(scripting::Symbol object, const char16_t* name, int32_t number) {
    Cell cell{};
    cell.type = varno::kTypeNumber;
    cell.value.number = number;
    scripting::SymbolWriteAttribute(varno_, vm_, object, name, scripting::kWholeAttribute, &cell);
  }
  void Write(scripting::Symbol object, const char16_t* name, uint32_t type, void* pointer) {
    Cell cell{};
    cell.type = type;
    cell.value.pointer = pointer;
    scripting::SymbolWriteAttribute(varno_, vm_, object, name, scripting::kWholeAttribute, &cell);
  }
  // A script method of the game with object and number arguments.
  void Call(varno::NativeMethodSlot slot, std::vector<Cell> arguments) {
    Cell result{};
    kivo::CallMethod(hud_.instance(), game::kLevel, slot, nullptr, static_cast<uint32_t>(arguments.size()),
                     arguments.data(), &result, vm_);
  }
  static Cell ObjectCell(scripting::Symbol object) {
    Cell cell{};
    cell.type = varno::kFirstClassType;
    cell.value.pointer = object;
    return cell;
  }

 private:
  HudGame& hud_;
  RTInstance varno_;
  scripting::TypeTable table_ = nullptr;
  scripting::VM vm_ = nullptr;
  uint32_t type_ = 0;
  std::deque<RTTeskActorWrapper> wrappers_;
};

// The sample's kinds: the player's patient at severity 10 (flashing), one at 7 with a nurse on the
// way to its bed (current), one not diagnosed in testing, and a newbie's at 3.
void FillBar(Ward& ward, game::GamePrivateData& record) {
  const scripting::Symbol player = ward.Actor(u"doctor");
  record.playerObject = player;
  const scripting::Symbol newbie = ward.Actor(u"newbie");
  ward.Call(game::kAddNewbie, {Ward::ObjectCell(newbie)});
  const scripting::Symbol nursed = ward.Patient(u"second patient", player, 3, 7, ward.Bed(true));
  const scripting::Symbol patients[] = {ward.Patient(u"first patient", player, 0, 10, ward.Bed(false)), nursed,
                                        ward.Patient(u"third patient", player, 2, -1, ward.Bed(false)),
                                        ward.Patient(u"fourth patient", newbie, 5, 3, ward.Bed(false))};
  ward.Flag(patients[2], u"bIsInTesting", true);
  ward.Write(player, u"currentPatient", varno::kFirstClassType, nursed);
  for (scripting::Symbol patient : patients) ward.Call(game::kAddPatient, {Ward::ObjectCell(patient)});
  Cell eta{};
  eta.type = varno::kTypeReal;
  eta.value.real = 0.6f;
  Cell zero{};
  zero.type = varno::kTypeNumber;
  ward.Call(game::kUpdateNurseETA, {Ward::ObjectCell(nursed), eta, zero, zero});
}

void SetUpShot(game::GamePrivateData& record, const Shot& shot) {
  uint32_t now = 0;
  kivo::ModuleCore()->GetTime(nullptr, &now);
  for (auto* entry : kivo::ListItems<game::PatientListEntry>(record.lists.patientList)) {
    entry->isNew = shot.animation == Animation::kArrival;
    entry->isRemoved = shot.animation == Animation::kLeaving;
    entry->isBackFromTesting = shot.animation == Animation::kShake;
    // Half a frame in, so that the frame holds while the picture is drawn.
    entry->animFrame = shot.animation == Animation::kNone ? -1 : 1;
    entry->animStamp = now - shot.frame * 50 - 25;
  }
  record.patientBarHover = {};
  record.patientBarHover.row[1] = shot.hovered ? 1 : 0;
}

// Every number among a recorded call's arguments (an array's count among them).
std::vector<double> Numbers(const std::string& line) {
  std::vector<double> numbers;
  const char* p = line.c_str() + std::min(line.find('('), line.size());
  while (*p) {
    char* end = nullptr;
    const double value = std::strtod(p, &end);
    if (end != p) {
      numbers.push_back(value);
      p = end;
    } else {
      ++p;
    }
  }
  return numbers;
}

// The untextured quads the bar drew, its squares, with their colours: a steady look's square by its
// slot's X, an animated one by its corner.
void PrintSquares(const char* picture, const std::vector<std::string>& calls) {
  bool textured = false;
  std::vector<double> colour = {4, 1, 1, 1, 1};  // the count, then red, green, blue and alpha
  std::vector<double> xs, ys;
  for (const std::string& line : calls) {
    const auto starts = [&line](const char* name) { return line.rfind(name, 0) == 0; };
    if (starts("EnableTexturing(")) textured = Numbers(line).at(0) != 0;
    if (starts("SetColorRGBAArray(")) colour = Numbers(line);
    if (starts("BeginPrimitive(")) xs.clear(), ys.clear();
    if (starts("Vertex3(")) {
      const std::vector<double> vertex = Numbers(line);
      xs.push_back(vertex.at(0));
      ys.push_back(vertex.at(1));
    }
    if (!starts("EndPrimitive(") || xs.size() != 4 || textured || colour.size() < 4) continue;
    const int side = static_cast<int>(xs[2] - xs[0]);
    const int x = static_cast<int>(xs[0]), y = static_cast<int>(ys[0]);
    if (side == 33 || side == 42)
      std::printf("%s slot X=%d %s y=%d", picture, x - (side == 33 ? 8 : 4), side == 33 ? "compact" : "large", y);
    else
      std::printf("%s square x=%d y=%d side %d", picture, x, y, side);
    std::printf(" colour %.3f %.3f %.3f\n", colour[1], colour[2], colour[3]);
  }
}

}  // namespace

bool DrawPatientBar(HudGame& hud, const std::string& folder, std::string* error) {
  game::GamePrivateData& record = hud.record();
  if (!record.hudHooks.DrawPatientIcons) {
    *error = "the game has no patient bar";
    return false;
  }
  Ward ward(hud);
  if (!ward.Start(error)) return false;
  FillBar(ward, record);
  std::filesystem::create_directories(folder);
  for (const Shot& shot : kShots) {
    std::vector<std::string> calls;
    const std::string png = (std::filesystem::path(folder) / shot.file).string();
    const auto draw = [&] {
      SetUpShot(record, shot);
      record.hudHooks.DrawPatientIcons(hud.instance());
    };
    if (!hud.Picture(png, [&] { calls = hud.Calls(draw); }, error)) return false;
    PrintSquares(shot.file, calls);
  }
  return true;
}

}  // namespace hudview
