// What the game asks of the page: the clock, sleeping, the canvas, full screen, the cursor, new
// tabs and game pads. Each is a few lines of script in PageCalls.cpp.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace brinecast {

// Tells the page which platform its input goes to (null: none any more).
void PageAttach(void* platform);
double PageNow();
// Yields to the page until ms have passed or PageWake is called.
void PageSleep(double ms);
// Ends a PageSleep from outside a wait: the game resumes once the running script returns.
void PageWake();
// Draws an 800 x 600 RGBA picture onto the canvas.
void PagePresent(const uint8_t* rgba, int width, int height);
// Asks for full screen or leaves it; full screen waits for the player's next key or click
// when the browser wants a gesture first.
void PageFullScreen(bool fullScreen);
void PageCursor(bool shown);
// Opens a same-origin path in a new tab; false when the browser refused.
bool PageOpenTab(const std::string& path);
// The first connected pad, axes in -1000..1000.
JoystickState PagePad();

}  // namespace brinecast
