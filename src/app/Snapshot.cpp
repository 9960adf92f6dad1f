// The game's state as one JSON line for the simulator: keys in a fixed order,
// every key present, null where a thing does not exist now.
#include "app/Snapshot.h"

#include "app/JsonWriter.h"
#include "app/TForm1.h"
#include "app/screens/MenuState.h"
#include "app/screens/ScreenSet.h"
#include "engine/ImageSprite.h"
#include "objects/Chk.h"
#include "objects/Fish.h"
#include "objects/Kruk.h"
#include "objects/MenuB.h"
#include "objects/Objcts.h"
#include "objects/Player.h"
#include "objects/ToDoFish.h"
#include "objects/Udochka.h"

namespace brinecast {

namespace {

void WriteSprites(JsonWriter& json, const TSprite& parent) {
  for (const TSprite* sprite : parent.DrawOrder()) {
    if (sprite->IsDead()) continue;
    json.BeginObject();
    json.Key("class").String(sprite->ClassName());
    json.Key("x").Number(sprite->X);
    json.Key("y").Number(sprite->Y);
    json.Key("z").Int(sprite->Z());
    json.Key("frame");
    if (const auto* image = dynamic_cast<const TImageSprite*>(sprite)) {
      json.Number(image->FramePos);
    } else {
      json.Null();
    }
    if (const auto* fish = dynamic_cast<const TFish*>(sprite)) {
      json.Key("kind").Int(fish->Kind).Key("hooked").Bool(fish->Hooked);
      json.Key("level").Int(fish->Level);
    } else if (const auto* object = dynamic_cast<const TObjcts*>(sprite)) {
      json.Key("kind").Int(object->Kind).Key("hooked").Bool(object->Hooked);
      json.Key("level").Int(object->Level);
    } else if (const auto* button = dynamic_cast<const TMenuB*>(sprite)) {
      json.Key("shown").Bool(button->Shown);
    } else if (const auto* icon = dynamic_cast<const TToDoFish*>(sprite)) {
      json.Key("shown").Bool(icon->Shown);
    } else if (const auto* chk = dynamic_cast<const TChk*>(sprite)) {
      json.Key("shown").Bool(chk->Shown);
    }
    json.EndObject();
    WriteSprites(json, *sprite);
  }
}

void WriteStrings(JsonWriter& json, const std::vector<std::string>& texts) {
  json.BeginArray();
  for (const std::string& text : texts) json.String(text);
  json.EndArray();
}

void WritePlayer(JsonWriter& json, const TPlayer* player) {
  if (player == nullptr || player->IsDead()) {
    json.Null();
    return;
  }
  const TKruk* hook = player->Hook.Get();
  const TUdochka* rod = player->Rod.Get();
  json.BeginObject();
  json.Key("x").Number(player->X).Key("y").Number(player->Y);
  json.Key("hookY");
  hook ? json.Number(hook->Y) : json.Null();
  json.Key("rising").Bool(hook && hook->Rising);
  json.Key("reeling").Bool(player->Reeling).Key("hasCatch").Bool(player->HasCatch);
  json.Key("rodFrame");
  rod ? json.Number(rod->FramePos) : json.Null();
  json.EndObject();
}

// A file of the game's folder by its name there, so runs in any folder compare.
std::string InGameFolder(const std::string& path, const std::string& appDir) {
  return path.rfind(appDir, 0) == 0 ? path.substr(appDir.size()) : path;
}

}  // namespace

std::string PlayState(TForm1& form) {
  JsonWriter json;
  json.BeginObject();
  json.Key("random").Int(static_cast<int64_t>(form.RandomState()));
  json.Key("frame").Int(form.FrameNo());
  json.Key("state").String(StateName(form.State()));
  json.Key("level").Int(form.LevelNo);
  json.Key("goals").BeginArray();
  for (const TGoal& goal : form.Goals)
    json.BeginArray().Int(goal.FishKind).Int(goal.Left).EndArray();
  json.EndArray();
  json.Key("goalCount").Int(form.GoalCount).Key("goalsDone").Int(form.GoalsDone);
  json.Key("levelTime").Int(form.LevelTime).Key("timeLeft").Int(form.TimeLeft);
  const TPlayer* player = form.Player().Get();
  json.Key("score");
  player ? json.Int(player->Score()) : json.Null();
  json.Key("counts").BeginArray().Int(form.FishCount).Int(form.ObjCount);
  json.Int(form.BottomObjCount).Int(form.HookLoad).EndArray();
  json.Key("catch").BeginArray().Int(form.CatchPoints).Int(form.CatchTextY);
  json.Bool(form.ShowCatchText).Bool(form.CatchSoundDue).EndArray();
  json.Key("paused").Bool(form.Paused()).Key("gameOver").Bool(form.GameOverFlag());
  json.Key("timers").BeginArray();
  for (const WindowTimer* timer : form.WindowTimers()) {
    json.BeginArray().Bool(timer->Enabled()).Int(static_cast<int64_t>(timer->Due())).EndArray();
  }
  json.EndArray();
  json.Key("frameTimer").Int(static_cast<int64_t>(form.DXTimer1.LastTime));
  json.Key("mouse").BeginArray().Bool(form.MouseHeld).Int(form.LastMouseX()).EndArray();
  json.Key("player");
  WritePlayer(json, player);
  json.Key("sprites").BeginArray();
  WriteSprites(json, form.DXSpriteEngine1().Engine());
  json.EndArray();
  json.EndObject();
  return json.Text();
}

std::string Snapshot(TForm1& form, const SnapshotRecords& records) {
  Platform& machine = records.machine ? *records.machine : form.Host();
  JsonWriter json;
  json.BeginObject();
  json.Key("t").Int(static_cast<int64_t>(machine.Ticks()));
  json.Key("frame").Int(form.FrameNo());
  json.Key("state").String(StateName(form.State()));
  json.Key("menuCursor").Int(form.Menu().cursor);
  json.Key("savedMenuCursor").Int(form.Menu().savedCursor);
  json.Key("level").Int(form.LevelNo);
  json.Key("goals").BeginArray();
  for (int i = 0; i < form.GoalCount && i < static_cast<int>(form.Goals.size()); ++i) {
    json.BeginArray().Int(form.Goals[i].FishKind).Int(form.Goals[i].Left).EndArray();
  }
  json.EndArray();
  json.Key("goalCount").Int(form.GoalCount);
  json.Key("goalsDone").Int(form.GoalsDone);
  json.Key("levelTime").Int(form.LevelTime);
  json.Key("timeLeft").Int(form.TimeLeft);
  json.Key("score");
  const TPlayer* player = form.Player().Get();
  player ? json.Int(player->Score()) : json.Null();
  json.Key("fishCount").Int(form.FishCount);
  json.Key("objCount").Int(form.ObjCount);
  json.Key("bottomObjCount").Int(form.BottomObjCount);
  json.Key("hookLoad").Int(form.HookLoad);
  json.Key("catchPoints").Int(form.CatchPoints);
  json.Key("catchTextY").Int(form.CatchTextY);
  json.Key("showCatchText").Bool(form.ShowCatchText);
  json.Key("paused").Bool(form.Paused());
  json.Key("gameOver").Bool(form.GameOverFlag());
  json.Key("timers").BeginArray();
  for (const WindowTimer* timer : form.WindowTimers()) {
    json.Bool(timer->Enabled());
  }
  json.EndArray();
  json.Key("player");
  WritePlayer(json, player);
  json.Key("sprites").BeginArray();
  WriteSprites(json, form.DXSpriteEngine1().Engine());
  json.EndArray();
  json.Key("buttons").BeginArray();
  for (const auto& button : form.Menu().buttons) {
    const TMenuB* sprite = button.Get();
    sprite && !sprite->IsDead() ? json.Bool(sprite->Shown) : json.Null();
  }
  json.EndArray();
  json.Key("helpPage").Int(form.Screens().help.Page());
  json.Key("config").BeginObject();
  json.Key("musicOn").Bool(form.Config.MusicOn).Key("soundOn").Bool(form.Config.SoundOn);
  json.Key("windowed").Bool(form.Config.Windowed).Key("sendOnline").Bool(form.Config.SendOnline);
  json.Key("addText").String(form.Config.AddText);
  json.EndObject();
  json.Key("highScores").BeginArray();
  for (const THighScore& row : form.Config.HighScores) {
    json.BeginArray().String(row.Name).Int(row.Score).EndArray();
  }
  json.EndArray();
  json.Key("playerName").String(form.PlayerName());
  json.Key("editingAddText").Bool(form.Menu().editingAddText);
  json.Key("keySum").Int(form.KeySum);
  json.Key("sending").Bool(form.Sending());
  json.Key("messageBox");
  form.Loop().OpenBox() ? json.String(*form.Loop().OpenBox()) : json.Null();
  json.Key("messages");
  WriteStrings(json, form.Loop().Messages());
  json.Key("sounds").BeginArray();
  for (const SnapshotRecords::Sound& sound : records.sounds) {
    json.BeginArray().String(sound.action).String(sound.name);
    json.Int(static_cast<int64_t>(sound.t)).EndArray();
  }
  json.EndArray();
  json.Key("music").BeginObject().Key("file");
  form.Music().Loaded() ? json.String(InGameFolder(form.Music().File(), form.AppDir()))
                        : json.Null();
  json.Key("playing").Bool(form.Music().Playing()).EndObject();
  json.Key("http");
  WriteStrings(json, records.http);
  json.Key("opened");
  WriteStrings(json, records.opened);
  json.Key("fullScreen").Bool(machine.IsFullScreen());
  json.Key("cursorShown").Bool(machine.CursorShown());
  json.EndObject();
  return json.Text();
}

}  // namespace brinecast
