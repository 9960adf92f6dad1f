// The sprite tree's move, collision, draw and death cycle.
#include "engine/Sprite.h"

#include <algorithm>
#include <string>

#include "engine/SpriteEngine.h"

namespace brinecast {

namespace {

// The passes index the lists by a count taken up front; a hook that frees
// sprites directly must get an error here rather than a stale pointer.
TSprite* At(const std::vector<TSprite*>& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size())) {
    throw ESpriteError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return list[index];
}

void EraseLast(std::vector<TSprite*>& list, TSprite* sprite) {
  auto it = std::find(list.rbegin(), list.rend(), sprite);
  if (it != list.rend()) list.erase(std::next(it).base());
}

}  // namespace

TSprite::TSprite(TSprite* parent) : parent_(parent) {
  if (parent_ == nullptr) return;
  parent_->children_.push_back(this);
  parent_->Place(this);
  auto* root = dynamic_cast<TSpriteEngine*>(parent_);
  engine_ = root != nullptr ? root : parent_->engine_;
  if (engine_ != nullptr) ++engine_->spriteCount_;
}

TSprite::~TSprite() {
  *life_ = nullptr;
  Clear();
  if (parent_ != nullptr) {
    if (engine_ != nullptr) {
      --engine_->spriteCount_;
      EraseLast(engine_->deadQueue_, this);
    }
    parent_->Unlink(this);
  }
}

void TSprite::OnCollide(TSprite*, bool&) {}
void TSprite::Render() {}
void TSprite::Step(int) {}
bool TSprite::AcceptsHit(TSprite*) const {
  return true;
}

TRect TSprite::GetBounds() const {
  TRect r;
  r.Left = TruncToInt(WorldX());
  r.Top = TruncToInt(WorldY());
  r.Right = SaturatingAdd(r.Left, Width);
  r.Bottom = SaturatingAdd(r.Top, Height);
  return r;
}

double TSprite::WorldX() const {
  return parent_ != nullptr ? X + parent_->WorldX() : X;
}
double TSprite::WorldY() const {
  return parent_ != nullptr ? Y + parent_->WorldY() : Y;
}

TSprite* TSprite::Items(int index) const {
  if (children_.empty()) {
    throw ESpriteError("Index of the list exceeds the range. (" + std::to_string(index) + ")");
  }
  return At(children_, index);
}

void TSprite::Move(int tick) {
  if (!CanMove) return;
  Step(tick);
  // Children added during the pass wait for the next frame.
  const int n = Count();
  for (int i = 0; i < n; ++i) Items(i)->Move(tick);
}

void TSprite::Draw() {
  if (!Visible) return;
  if (engine_ != nullptr && RectsOverlap(GetBounds(), engine_->viewRect_)) {
    Render();
    ++engine_->drawnCount_;
  }
  const int n = static_cast<int>(drawOrder_.size());
  for (int i = 0; i < n; ++i) At(drawOrder_, i)->Draw();
}

int TSprite::Collide() {
  if (engine_ == nullptr || isDead_ || !CanCollide) return 0;
  TSpriteEngine& e = *engine_;
  e.hitCount_ = 0;
  e.hitDone_ = false;
  e.hitRect_ = GetBounds();
  const int n = e.Count();
  for (int i = 0; i < n; ++i) e.Items(i)->Walk(*this);
  return e.hitCount_;
}

void TSprite::Walk(TSprite& seeker) {
  if (!CanCollide) return;
  TSpriteEngine& e = *seeker.engine_;
  if (this != &seeker && RectsOverlap(GetBounds(), e.hitRect_) && seeker.AcceptsHit(this) &&
      AcceptsHit(&seeker)) {
    ++e.hitCount_;
    seeker.OnCollide(this, e.hitDone_);
    if (!seeker.CanCollide || seeker.isDead_) e.hitDone_ = true;
  }
  if (e.hitDone_) return;
  const int n = Count();
  for (int i = 0; i < n; ++i) Items(i)->Walk(seeker);
}

void TSprite::Kill() {
  if (engine_ == nullptr || isDead_) return;
  isDead_ = true;
  engine_->deadQueue_.push_back(this);
}

void TSprite::SetZ(int value) {
  if (value == z_) return;
  z_ = value;
  if (parent_ == nullptr) return;
  EraseLast(parent_->drawOrder_, this);
  parent_->Place(this);
}

void TSprite::Clear() {
  while (!children_.empty()) delete children_.back();
}

void TSprite::Place(TSprite* child) {
  // First entry whose Z is not below the child's: equal Z goes in front of its
  // siblings, i.e. is drawn underneath them.
  int low = 0;
  int high = static_cast<int>(drawOrder_.size()) - 1;
  while (low <= high) {
    int mid = (low + high) / 2;
    if (drawOrder_[mid]->z_ < child->z_) {
      low = mid + 1;
    } else {
      high = mid - 1;
    }
  }
  drawOrder_.insert(drawOrder_.begin() + low, child);
}

void TSprite::Unlink(TSprite* child) {
  EraseLast(children_, child);
  EraseLast(drawOrder_, child);
  if (children_.empty()) {
    std::vector<TSprite*>().swap(children_);
    std::vector<TSprite*>().swap(drawOrder_);
  }
}

}  // namespace brinecast
