#include "app/Snapshot.h"

#include "app/JsonWriter.h"
#include "app/TForm1.h"
#include "engine/ImageSprite.h"

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
    json.EndObject();
    WriteSprites(json, *sprite);
  }
}

void WriteStrings(JsonWriter& json, const std::vector<std::string>& texts) {
  json.BeginArray();
  for (const std::string& text : texts) json.String(text);
  json.EndArray();
}

}  // namespace

std::string Snapshot(TForm1& form, const std::vector<std::string>& opened) {
  JsonWriter json;
  json.BeginObject();
  json.Key("t").Int(static_cast<int64_t>(form.Host().Ticks()));
  json.Key("frame").Int(form.FrameNo);
  json.Key("state").String(form.GameState);
  json.Key("menuCursor").Null();
  json.Key("savedMenuCursor").Null();
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
  json.Key("score").Null();
  json.Key("fishCount").Int(form.FishCount);
  json.Key("objCount").Int(form.ObjCount);
  json.Key("bottomObjCount").Int(form.BottomObjCount);
  json.Key("hookLoad").Int(form.HookLoad);
  json.Key("catchPoints").Int(form.CatchPoints);
  json.Key("catchTextY").Int(form.CatchTextY);
  json.Key("showCatchText").Bool(form.ShowCatchText);
  json.Key("paused").Bool(form.Paused);
  json.Key("gameOver").Bool(form.GameOverFlag);
  json.Key("timers").BeginArray();
  for (const WindowTimer* timer : {&form.Timer1, &form.Timer2, &form.Timer3, &form.Timer4}) {
    json.Bool(timer->Enabled());
  }
  json.EndArray();
  json.Key("player").Null();
  json.Key("sprites").BeginArray();
  WriteSprites(json, form.DXSpriteEngine1.Engine());
  json.EndArray();
  json.Key("buttons").Null();
  json.Key("helpPage").Null();
  json.Key("config").Null();
  json.Key("highScores").Null();
  json.Key("playerName").Null();
  json.Key("editingAddText").Null();
  json.Key("keySum").Null();
  json.Key("sending").Null();
  json.Key("messageBox");
  if (form.Loop.OpenBox()) {
    json.String(*form.Loop.OpenBox());
  } else {
    json.Null();
  }
  json.Key("messages");
  WriteStrings(json, form.Loop.Messages());
  json.Key("sounds").Null();
  json.Key("music").Null();
  json.Key("http").Null();
  json.Key("opened");
  WriteStrings(json, opened);
  json.Key("fullScreen").Bool(form.Host().IsFullScreen());
  json.Key("cursorShown").Bool(form.Host().CursorShown());
  json.EndObject();
  return json.Text();
}

}  // namespace brinecast
