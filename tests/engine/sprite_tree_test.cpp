// The sprite tree: moving, colliding, drawing and dying.
#include <SDL_surface.h>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/DXSprite.h"
#include "platform/SurfacePtr.h"
#include "platform/SurfaceSize.h"

namespace brinecast {
namespace {

// A sprite that writes what happens to it into a shared log.
class LogSprite : public TSprite {
 public:
  LogSprite(TSprite* parent, std::string name, std::vector<std::string>& log)
      : TSprite(parent), name_(std::move(name)), log_(log) {
    Width = 10;
    Height = 10;
  }
  ~LogSprite() override { log_.push_back("free " + name_); }
  void Step(int tick) override {
    log_.push_back("step " + name_ + " " + std::to_string(tick));
    if (onStep) onStep();
  }
  void Render() override { log_.push_back("render " + name_); }
  void OnCollide(TSprite* other, bool& done) override {
    log_.push_back("hit " + name_ + ">" + static_cast<LogSprite*>(other)->name_);
    if (onCollide) onCollide(done);
  }
  std::function<void()> onStep;
  std::function<void(bool&)> onCollide;
  std::string name_;

 private:
  std::vector<std::string>& log_;
};

class SpriteTree : public ::testing::Test {
 protected:
  SpriteTree() {
    surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, kSurfaceWidth, kSurfaceHeight, 32,
                                                  SDL_PIXELFORMAT_ARGB8888));
    root.SetSurface(surface_.get());
  }

  LogSprite* Make(const std::string& name, TSprite* parent = nullptr, double x = 0, double y = 0) {
    auto* s = new LogSprite(parent != nullptr ? parent : &root, name, log);
    s->X = x;
    s->Y = y;
    return s;
  }
  std::vector<std::string> Names(const std::vector<TSprite*>& list) {
    std::vector<std::string> names;
    for (TSprite* s : list) names.push_back(static_cast<LogSprite*>(s)->name_);
    return names;
  }
  std::vector<std::string> Take() { return std::exchange(log, {}); }

  std::vector<std::string> log;
  SurfacePtr surface_;
  TSpriteEngine root;  // declared last: freed first, while the log still exists
};

using Log = std::vector<std::string>;

TEST_F(SpriteTree, EqualZIsDrawnLastCreatedFirstAndSetZKeepsOrMovesThePlace) {
  LogSprite* a = Make("A");
  Make("B");
  Make("C");
  root.Draw();
  EXPECT_EQ(Take(), (Log{"render C", "render B", "render A"}));
  EXPECT_EQ(root.DrawnCount(), 3);

  a->SetZ(0);  // same value: stays underneath nothing, on top of all
  EXPECT_EQ(Names(root.DrawOrder()), (Log{"C", "B", "A"}));
  a->SetZ(5);
  a->SetZ(0);  // away and back: in front of (under) all of Z 0
  EXPECT_EQ(Names(root.DrawOrder()), (Log{"A", "C", "B"}));
  // Children keep insertion order whatever the depth.
  EXPECT_EQ(root.Items(0), a);
}

TEST_F(SpriteTree, DrawOrderSortsByZAscending) {
  const std::vector<std::pair<std::string, int>> made = {{"p", 3},  {"q", -2}, {"r", 3}, {"s", 0},
                                                         {"t", -2}, {"u", 7},  {"v", 3}};
  for (const auto& [name, z] : made) Make(name)->SetZ(z);
  EXPECT_EQ(Names(root.DrawOrder()), (Log{"t", "q", "s", "v", "r", "p", "u"}));
  // Extreme depths still order correctly.
  Make("low")->SetZ(INT_MIN);
  Make("high")->SetZ(INT_MAX);
  EXPECT_EQ(Names(root.DrawOrder()).front(), "low");
  EXPECT_EQ(Names(root.DrawOrder()).back(), "high");
}

TEST_F(SpriteTree, MoveStepsInInsertionOrderAndNewSpritesWaitForTheNextFrame) {
  LogSprite* a = Make("A");
  Make("A1", a);
  Make("B");
  bool spawned = false;
  a->onStep = [&] {
    if (spawned) return;
    Make("N", nullptr, 5, 5);
    spawned = true;
  };
  root.Move(7);
  EXPECT_EQ(Take(), (Log{"step A 7", "step A1 7", "step B 7"}));
  root.Draw();  // the new sprite is drawn in the same frame
  EXPECT_EQ(Take(), (Log{"render N", "render B", "render A", "render A1"}));

  a->CanMove = false;  // the whole subtree stands still
  root.Move(8);
  EXPECT_EQ(Take(), (Log{"step B 8", "step N 8"}));
}

TEST_F(SpriteTree, DrawCullsStrictlyAgainstTheSurface) {
  struct Case {
    double x, y;
    int w, h;
    bool drawn;
  };
  const Case cases[] = {
      {-10, 0, 10, 10, false},  // right edge exactly 0
      {-9.5, 0, 10, 10, true},  // truncates to -9: one column on screen
      {799, 599, 10, 10, true}, {800, 0, 10, 10, false}, {0, 600, 10, 10, false},
      {0, -10, 10, 10, false},  {10, 10, 0, 10, false},  // empty
      {-0.7, 0, 1, 1, true},                             // bounds start at 0, not -1
  };
  for (const Case& c : cases) {
    LogSprite* s = Make("s", nullptr, c.x, c.y);
    s->Width = c.w;
    s->Height = c.h;
    root.Draw();
    EXPECT_EQ(root.DrawnCount(), c.drawn ? 1 : 0) << c.x << "," << c.y;
    s->Kill();
    root.PurgeDead();
    Take();
  }
  EXPECT_EQ(Make("t", nullptr, -0.7, -0.7)->GetBounds(), (TRect{0, 0, 10, 10}));
}

TEST_F(SpriteTree, DrawVisitsChildrenOfOffscreenParentsButNotOfInvisibleOnes) {
  LogSprite* parent = Make("P", nullptr, -100, 0);
  Make("C", parent, 150, 0);  // world x 50
  root.Draw();
  EXPECT_EQ(Take(), (Log{"render C"}));
  parent->Visible = false;
  root.Draw();
  EXPECT_EQ(Take(), Log{});
  EXPECT_EQ(root.DrawnCount(), 0);
}

TEST_F(SpriteTree, CollideCountsOverlapsInCreationOrderAndHonoursHitDone) {
  LogSprite* seeker = Make("S", nullptr, 0, 0);
  Make("touching", nullptr, 10, 0);  // shares only an edge
  LogSprite* a = Make("A", nullptr, 5, 5);
  LogSprite* off = Make("off", nullptr, 5, 5);
  off->CanCollide = false;
  Make("off-child", off, 0, 0);  // skipped with its parent
  Make("A-child", a, 0, 0);
  Make("B", nullptr, 9, 9);
  Take();

  EXPECT_EQ(seeker->Collide(), 3);
  EXPECT_EQ(Take(), (Log{"hit S>A", "hit S>A-child", "hit S>B"}));

  // Stopping at A skips A's children but the top-level loop goes on.
  seeker->onCollide = [](bool& done) { done = true; };
  EXPECT_EQ(seeker->Collide(), 2);
  EXPECT_EQ(Take(), (Log{"hit S>A", "hit S>B"}));

  // A seeker that dies on its first hit stops descending too; moving it inside
  // the handler does not change the rectangle tested.
  seeker->onCollide = [&](bool&) {
    seeker->X = 500;
    seeker->Kill();
  };
  EXPECT_EQ(seeker->Collide(), 2);
  EXPECT_EQ(Take(), (Log{"hit S>A", "hit S>B"}));
  EXPECT_EQ(seeker->Collide(), 0);  // dead seekers find nothing

  LogSprite* other = Make("O", nullptr, 0, 0);
  other->CanCollide = false;
  EXPECT_EQ(other->Collide(), 0);
  other->CanCollide = true;
  seeker->X = 0;
  EXPECT_EQ(other->Collide(), 4);  // the killed, not yet freed S is still hit
  EXPECT_EQ(Take(), (Log{"hit O>S", "hit O>A", "hit O>A-child", "hit O>B"}));
}

TEST_F(SpriteTree, KillQueuesOnceAndPurgeFreesInReverseKillOrder) {
  LogSprite* a = Make("A");
  LogSprite* b = Make("B");
  LogSprite* c = Make("C");
  LogSprite* bChild = Make("B1", b);
  EXPECT_EQ(root.SpriteCount(), 4);
  root.PurgeDead();  // empty queue
  EXPECT_EQ(root.SpriteCount(), 4);

  b->Kill();
  a->Kill();
  b->Kill();
  bChild->Kill();
  c->Kill();
  root.Kill();  // the root is never queued
  EXPECT_EQ(root.DeadQueue().size(), 4u);
  EXPECT_TRUE(b->IsDead());
  Take();
  root.PurgeDead();
  EXPECT_EQ(Take(), (Log{"free C", "free B1", "free A", "free B"}));
  EXPECT_EQ(root.SpriteCount(), 0);
  EXPECT_EQ(root.Count(), 0);
  EXPECT_TRUE(root.DeadQueue().empty());
}

TEST_F(SpriteTree, FreeingAParentFreesItsChildrenLastAddedFirstAndUnqueuesThem) {
  LogSprite* p = Make("P");
  Make("P1", p)->Kill();
  Make("P2", p);
  Make("P3", p)->Kill();
  Take();
  p->Kill();
  root.PurgeDead();  // P first (its own part goes first), then P3, P2, P1 and their queue entries
  EXPECT_EQ(Take(), (Log{"free P", "free P3", "free P2", "free P1"}));
  EXPECT_EQ(root.SpriteCount(), 0);

  Make("X");
  Make("Y");
  root.Clear();
  EXPECT_EQ(Take(), (Log{"free Y", "free X"}));
}

TEST_F(SpriteTree, ItemsOutOfRangeRaise) {
  try {
    root.Items(2);
    FAIL() << "no error";
  } catch (const ESpriteError& e) {
    EXPECT_STREQ(e.what(), "Index of the list exceeds the range. (2)");
  }
  Make("A");
  EXPECT_THROW(root.Items(1), ESpriteError);
  EXPECT_THROW(root.Items(-1), ESpriteError);
}

TEST_F(SpriteTree, ConstructorThatThrowsLeavesTheTreeIntact) {
  struct Failing : TSprite {
    explicit Failing(TSprite* parent) : TSprite(parent) { throw EngineError("no image"); }
  };
  Make("A");
  EXPECT_THROW(new Failing(&root), EngineError);
  EXPECT_EQ(root.Count(), 1);
  EXPECT_EQ(root.SpriteCount(), 1);
  EXPECT_EQ(root.DrawOrder().size(), 1u);
}

TEST(ImageSpriteStep, KeepsTheFrameInRange) {
  struct Case {
    int count;
    bool looped;
    double pos, speed;
    int tick;
    double wantPos, wantSpeed;
  };
  const Case cases[] = {
      {4, false, 5, 0, 1, 3, 0},      // past the end: last frame, stopped
      {4, true, -1, 0, 1, 3, 0},      // looped below zero wraps
      {4, true, 1, 0.5, 10, 2, 0.5},  // 1 + 5 = 6 -> 2
      {4, true, 0, -0.25, 2, 3.5, -0.25}, {4, false, 1, 0.5, 2, 2, 0.5},  // still running
      {4, false, 1, -1, 3, 0, 0},                                         // runs off the start
      {0, false, 2, 0, 1, 0, 0},  // no frames: -1, then clamped to 0
      {0, true, 2, 1, 1, 0, 1},
  };
  TSpriteEngine root;
  for (const Case& c : cases) {
    auto* s = new TImageSprite(&root);
    s->FrameCount = c.count;
    s->FrameLooped = c.looped;
    s->FramePos = c.pos;
    s->FrameSpeed = c.speed;
    s->Step(c.tick);
    EXPECT_DOUBLE_EQ(s->FramePos, c.wantPos) << c.count << " " << c.looped << " " << c.pos;
    EXPECT_DOUBLE_EQ(s->FrameSpeed, c.wantSpeed) << c.count << " " << c.looped << " " << c.pos;
  }
  EXPECT_EQ(root.Count(), static_cast<int>(std::size(cases)));
}

TEST(DXSpriteEngineComponent, FollowsItsDrawingComponent) {
  auto draw = std::make_unique<TDXDraw>(320, 200);
  TDXSpriteEngine engine(*draw);
  auto* s = new TSprite(&engine.Engine());
  s->Width = 5;
  s->Height = 5;
  engine.Draw();
  EXPECT_EQ(engine.Engine().DrawnCount(), 0);  // no surface yet: nothing drawn

  draw->Initialize();
  EXPECT_EQ(engine.Engine().Surface(), draw->Surface());
  EXPECT_EQ(engine.Engine().ViewRect(), (TRect{0, 0, 320, 200}));
  EXPECT_EQ(engine.Engine().Width, 320);
  engine.Draw();
  EXPECT_EQ(engine.Engine().DrawnCount(), 1);

  draw->Finalize();
  EXPECT_EQ(engine.Engine().Surface(), nullptr);
  EXPECT_EQ(engine.Engine().ViewRect(), (TRect{0, 0, 320, 200}));
  draw->Initialize();
  draw.reset();  // the component forgets a drawing component that is gone
  EXPECT_EQ(engine.DXDraw(), nullptr);
  engine.Draw();
}

}  // namespace
}  // namespace brinecast
