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

void Set(TForm1& form, const Command& command) {
  const std::string& name = command.name;
  const int64_t value = command.number;
  TPlayer* player = form.Player.Get();
  if (name == "TimeLeft") form.TimeLeft = Narrow<int32_t>(value);
  if (name == "LevelNo") form.LevelNo = Narrow<uint16_t>(value);
  if (name == "HookLoad") form.HookLoad = Narrow<uint8_t>(value);
  if (name == "FishCount") form.FishCount = Narrow<uint8_t>(value);
  if (name == "ObjCount") form.ObjCount = Narrow<uint8_t>(value);
  if (name == "BottomObjCount") form.BottomObjCount = Narrow<uint8_t>(value);
  if (name == "LevelTime") form.LevelTime = Narrow<int32_t>(value);
  if (player == nullptr) return;
  if (name == "Score") player->SetScore(value);
  if (name == "PlayerX") player->X = static_cast<double>(Narrow<int32_t>(value));
  if (name == "HookY") {
    if (TKruk* hook = player->Hook.Get()) hook->Y = static_cast<double>(Narrow<int32_t>(value));
  }
}

void Spawn(TForm1& form, const Command& command) {
  TSpriteEngine& root = form.DXSpriteEngine1.Engine();
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
  if (name == "StartGame") form.StartGame();
  if (name == "NextLevel") form.NextLevel();
  if (name == "LeaveGame") form.LeaveGame();
  if (name == "BuildMainMenu") form.BuildMainMenu();
  if (name == "BuildOptions") form.BuildOptions();
  if (name == "BuildHiScores") form.BuildHiScores();
  if (name == "BuildHelp") form.BuildHelp();
  if (name == "SaveConfig") form.SaveConfig();
  if (name == "LoadConfig") form.LoadConfig();
}

}  // namespace

void CheckSetup(const TForm1& form, const Command& command) {
  const bool onBoat =
      command.name == "Score" || command.name == "PlayerX" || command.name == "HookY";
  if (command.op == Command::Op::Set && onBoat && !form.Player) {
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
