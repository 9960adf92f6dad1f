// The page's side of the platform's calls, as small scripts. `Module.brinecastPage` is the
// page's object (page/game.js) with the canvas and the full-screen and tab rules.
#include "platform/web/browser/PageCalls.h"

#include <emscripten.h>

namespace brinecast {

namespace {

// clang-format off
EM_JS(void, page_attach, (void* platform), {
  Module.brinecastPlatform = platform;
});

// Asyncify unwinds the game here and rewinds it when the timer or a wake fires.
EM_JS(void, page_sleep, (double ms), {
  return Asyncify.handleSleep(function(wakeUp) {
    var done = false;
    var timer = 0;
    var finish = function() {
      if (done) return;
      done = true;
      clearTimeout(timer);
      Module.brinecastWake = null;
      wakeUp();
    };
    timer = setTimeout(finish, ms);
    Module.brinecastWake = finish;
  });
});

EM_JS(void, page_wake, (), {
  // After the running script, never inside it: the game cannot be rewound while it runs.
  queueMicrotask(function() { if (Module.brinecastWake) Module.brinecastWake(); });
});

EM_JS(void, page_present, (const uint8_t* rgba, int width, int height), {
  Module.brinecastPage.present(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height);
});

EM_JS(void, page_full_screen, (int fullScreen), {
  Module.brinecastPage.setFullScreen(fullScreen !== 0);
});

EM_JS(void, page_cursor, (int shown), {
  Module.brinecastPage.setCursor(shown !== 0);
});

EM_JS(int, page_open_tab, (const char* path), {
  return Module.brinecastPage.openTab(UTF8ToString(path)) ? 1 : 0;
});

// present, x, y, buttons of the first connected pad; a d-pad counts as the stick.
EM_JS(void, page_pad, (int* out), {
  var pads = navigator.getGamepads ? navigator.getGamepads() : [];
  var pad = null;
  for (var i = 0; i < pads.length && !pad; ++i) if (pads[i] && pads[i].connected) pad = pads[i];
  var put = function(index, value) { HEAP32[(out >> 2) + index] = value; };
  if (!pad) { put(0, 0); put(1, 0); put(2, 0); put(3, 0); return; }
  var pressed = function(b) { return b < pad.buttons.length && pad.buttons[b].pressed; };
  var axis = function(a, less, more) {
    if (pressed(less)) return -1000;
    if (pressed(more)) return 1000;
    var v = a < pad.axes.length ? pad.axes[a] : 0;
    return Math.max(-1000, Math.min(1000, Math.round(v * 1000)));
  };
  var buttons = 0;
  for (var b = 0; b < Math.min(pad.buttons.length, 12); ++b) if (pressed(b)) buttons |= 1 << b;
  put(0, 1); put(1, axis(0, 14, 15)); put(2, axis(1, 12, 13)); put(3, buttons);
});
// clang-format on

}  // namespace

void PageAttach(void* platform) {
  page_attach(platform);
}
double PageNow() {
  return emscripten_get_now();
}
void PageSleep(double ms) {
  page_sleep(ms);
}
void PageWake() {
  page_wake();
}
void PagePresent(const uint8_t* rgba, int width, int height) {
  page_present(rgba, width, height);
}
void PageFullScreen(bool fullScreen) {
  page_full_screen(fullScreen ? 1 : 0);
}
void PageCursor(bool shown) {
  page_cursor(shown ? 1 : 0);
}
bool PageOpenTab(const std::string& path) {
  return page_open_tab(path.c_str()) != 0;
}
JoystickState PagePad() {
  int values[4] = {};
  page_pad(values);
  JoystickState state;
  state.present = values[0] != 0;
  state.x = values[1];
  state.y = values[2];
  state.buttons = static_cast<uint32_t>(values[3]);
  return state;
}

}  // namespace brinecast
