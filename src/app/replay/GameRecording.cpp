// What a recorded game starts from and how it ends: captured for the recorder, put back for a
// replay, and the hash of the game's state both compare.
#include <type_traits>

#include "app/Snapshot.h"
#include "app/TForm1.h"
#include "app/replay/StartPlaces.h"
#include "objects/Fish.h"
#include "objects/Objcts.h"
#include "objects/Player.h"

namespace brinecast {

namespace {

// 64-bit FNV-1a: small, and the same everywhere.
uint64_t Fnv1a(const std::string& text) {
  uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<uint8_t>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

}  // namespace

void TForm1::ClearLeftovers() {
  // Fish and objects end themselves on their first step outside play, and killed sprites go
  // at the next purge; a game started before a frame has run since the last one ended finds
  // them still here. Bubbles are kept: the rules let one rise on into the next game, and the
  // recording's start state carries them.
  for (TSprite* sprite : DXSpriteEngine1().Engine().DrawOrder()) {
    if (dynamic_cast<TFish*>(sprite) != nullptr || dynamic_cast<TObjcts*>(sprite) != nullptr) {
      sprite->Kill();
    }
  }
  // Until then they would still move: a boat left behind by the last game would take the new
  // boat's first pointer step.
  DXSpriteEngine1().PurgeDead();
}

namespace {

// A field the game keeps as a plain variable, or behind a go-between.
template <class Field, class Place>
void Take(Field& field, Place&& place) {
  if constexpr (std::is_lvalue_reference_v<Place>) {
    field = static_cast<Field>(place);
  } else {
    field = place.Get();
  }
}

template <class Field, class Place>
void Put(Place&& place, const Field& field) {
  if constexpr (std::is_lvalue_reference_v<Place>) {
    place = static_cast<std::remove_reference_t<Place>>(field);
  } else {
    place.Set(field);
  }
}

}  // namespace

replay::StartState TForm1::CaptureStart() {
  replay::StartState start;
  replay::StartFields(
      start, [this](auto& field, replay::Bounds, auto place) { Take(field, place(*this)); });
  return start;
}

void TForm1::RestoreStart(const replay::StartState& start) {
  replay::StartFields(
      start, [this](const auto& field, replay::Bounds, auto place) { Put(place(*this), field); });
}

replay::EndState TForm1::Ending(bool complete) {
  replay::EndState end;
  end.complete = complete;
  const TPlayer* player = Player().Get();
  end.score = player ? player->Score() : 0;
  end.level = LevelNo;
  end.frames = recorder_ ? recorder_->FramesShown() : 0;
  end.state = PlayStateHash();
  return end;
}

void TForm1::EndRecording(bool complete) {
  if (recorder_ == nullptr || !recorder_->GameRunning()) return;
  recorder_->GameEnds(Ending(complete));
  KeepLastGame();
}

uint64_t TForm1::PlayStateHash() {
  return Fnv1a(PlayState(*this));
}

}  // namespace brinecast
