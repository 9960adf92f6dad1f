// What hooking and landing a catch does to the running game, shared by fish and
// objects. Each copes with the rig being gone: what needs it is then skipped.
#pragma once

#include <cstdint>

namespace brinecast {

class TGame;
class TKruk;

// The rig's hook, or null when there is no rig.
TKruk* CurrentHook(TGame& game);
// Whether the rig's hook is rising (a rising hook is the only one that catches).
bool HookRising(TGame& game);

// A catch went on the hook: the rod shows it and its points join the haul.
void MarkHooked(TGame& game, int32_t points);
// One more catch on the hook; stops at 255 rather than wrapping to an empty hook.
void RaiseHookLoad(TGame& game);

// Landing: the haul's text starts at the float; shown only for the current level.
void StartCatchText(TGame& game, uint16_t level);
void AddCatchScore(TGame& game, int64_t points);
// The level clock gains `seconds` (or loses them), never rising above the level's full time.
void AddCatchTime(TGame& game, double seconds);

}  // namespace brinecast
