// set, spawn and call: a test's quick way into a case, on the game's own state.
#include "SetupCommands.h"

#include <cstdint>
#include <limits>

#include "app/TForm1.h"
#include "objects/Fish.h"
#include "objects/Kruk.h"
#include "objects/Objcts.h"
#include "objects/Player.h"

namespace brinecast::sim {

namespace {

template <class T>
T Narrow(int64_t value) {
  if (value < std::numeric_limits<T>::min()) return std::numeric_limits<T>::min();
  if (value > std::numeric_limits<T>::max()) return std::numeric_limits<T>::max();
  return static_cast<T>(value);
}

// What `set` may change: the game's own variables, and on the boat (only while a game runs)
// its score, place and hook.
struct Settable {
  std::string_view name;
  bool onBoat;
  void (*set)(TForm1& form, TPlayer* player, int64_t value);  // player set when onBoat
};

constexpr Settable kSettable[] = {
    {"TimeLeft", false, [](TForm1& f, TPlayer*, int64_t v) { f.TimeLeft = Narrow<int32_t>(v); }},
    {"LevelNo", false, [](TForm1& f, TPlayer*, int64_t v) { f.LevelNo = Narrow<uint16_t>(v); }},
    {"HookLoad", false, [](TForm1& f, TPlayer*, int64_t v) { f.HookLoad = Narrow<uint8_t>(v); }},
    {"Score", true, [](TForm1&, TPlayer* p, int64_t v) { p->SetScore(v); }},
    {"FishCount", false, [](TForm1& f, TPlayer*, int64_t v) { f.FishCount = Narrow<uint8_t>(v); }},
    {"ObjCount", false, [](TForm1& f, TPlayer*, int64_t v) { f.ObjCount = Narrow<uint8_t>(v); }},
    {"BottomObjCount", false,
     [](TForm1& f, TPlayer*, int64_t v) { f.BottomObjCount = Narrow<uint8_t>(v); }},
    {"LevelTime", false, [](TForm1& f, TPlayer*, int64_t v) { f.LevelTime = Narrow<int32_t>(v); }},
    {"PlayerX", true,
     [](TForm1&, TPlayer* p, int64_t v) { p->X = static_cast<double>(Narrow<int32_t>(v)); }},
    {"HookY", true,
     [](TForm1&, TPlayer* p, int64_t v) {
       if (TKruk* hook = p->Hook.Get()) hook->Y = static_cast<double>(Narrow<int32_t>(v));
     }},
};

// The game's procedures `call` may run.
struct Callable {
  std::string_view name;
  void (TForm1::*call)();
};

constexpr Callable kCallable[] = {
    {"StartGame", &TForm1::StartGame},       {"NextLevel", &TForm1::NextLevel},
    {"LeaveGame", &TForm1::LeaveGame},       {"BuildMainMenu", &TForm1::BuildMainMenu},
    {"BuildOptions", &TForm1::BuildOptions}, {"BuildHiScores", &TForm1::BuildHiScores},
    {"BuildHelp", &TForm1::BuildHelp},       {"SaveConfig", &TForm1::SaveConfig},
    {"LoadConfig", &TForm1::LoadConfig},
};

template <class Entry, size_t N>
const Entry* Find(const Entry (&table)[N], std::string_view name) {
  for (const Entry& entry : table) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

void Set(TForm1& form, const Command& command) {
  const Settable* entry = Find(kSettable, command.name);
  TPlayer* player = form.Player().Get();
  if (entry == nullptr || (entry->onBoat && player == nullptr)) return;
  entry->set(form, player, command.number);
}

void Spawn(TForm1& form, const Command& command) {
  TSpriteEngine& root = form.DXSpriteEngine1().Engine();
  const auto kind = static_cast<uint8_t>(command.kind);
  if (command.name == "fish") {
    ++form.FishCount;
    auto* fish = new TFish(&root);
    fish->SetKind(kind, command.fromLeft);
    fish->X = command.x;
    fish->Y = command.y;
    fish->Level = form.LevelNo;
    return;
  }
  ++form.ObjCount;
  auto* object = new TObjcts(&root);
  object->SetKind(kind, command.fromLeft);
  object->X = command.x;
  object->Y = command.y;
  object->Level = form.LevelNo;
}

void Call(TForm1& form, const std::string& name) {
  if (const Callable* entry = Find(kCallable, name)) (form.*entry->call)();
}

}  // namespace

bool CanSet(std::string_view name) {
  return Find(kSettable, name) != nullptr;
}

bool CanCall(std::string_view name) {
  return Find(kCallable, name) != nullptr;
}

void CheckSetup(const TForm1& form, const Command& command) {
  const Settable* settable = Find(kSettable, command.name);
  const bool onBoat = settable != nullptr && settable->onBoat;
  if (command.op == Command::Op::Set && onBoat && !form.Player()) {
    throw ScriptError(command.line, "no game runs: nothing to set " + command.name + " on");
  }
  if (command.op == Command::Op::Spawn && form.GoalCount == 0) {
    throw ScriptError(command.line, "spawn needs a level: call StartGame first");
  }
}

void RunSetup(TForm1& form, const Command& command) {
  switch (command.op) {
    case Command::Op::Set:
      Set(form, command);
      break;
    case Command::Op::Spawn:
      Spawn(form, command);
      break;
    case Command::Op::Call:
      Call(form, command.name);
      break;
    default:
      break;
  }
}

}  // namespace brinecast::sim
