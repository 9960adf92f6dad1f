// What a frame changes around its drawing, so that no sprite's Render changes the game:
// hooked fish follow the hook and land before the draw, a drawn time bar holds the level
// clock after it and objects of an earlier level go.
#pragma once

#include <vector>

namespace brinecast {

class TSprite;
class TSpriteEngine;

// The root's sprites the engine's next draw renders, in its order.
std::vector<TSprite*> SpritesToDraw(const TSpriteEngine& root);
// Before the draw, in draw order: each hooked fish hangs from the hook and lands at the surface.
void BeforeDraw(const std::vector<TSprite*>& shown);
// After the draw, in draw order: a drawn time bar keeps the level clock at 1 or more, a
// hooked fish drawn after it lands, and a drawn object of an earlier level goes.
void AfterDraw(const std::vector<TSprite*>& shown);

}  // namespace brinecast
