// The game's one door to the machine: events, the clock, frames, the message box, sound,
// music and the joystick.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

struct SDL_Surface;

namespace brinecast {

enum class MouseButton { Left, Right, Middle };

// What the window system tells the game. Keys are Windows virtual-key codes
// (VirtualKeys.h); pointer positions are pixels of the 800 x 600 surface.
struct PlatformEvent {
  enum class Kind {
    KeyDown,
    KeyUp,
    MouseMove,
    MouseDown,
    MouseUp,
    Click,
    Close,            // the window's close request
    Minimise,         // system command: minimise
    Maximise,         // system command: maximise
    Activate,         // the game became the active application
    Deactivate,       // another application took the focus
    DismissBox,       // the open message box's OK was chosen (the simulator's `dismiss`)
    JoystickRemoved,  // the first joystick was unplugged
    Script,           // the simulator's set-up step, run as a handler would
  };
  Kind kind = Kind::KeyDown;
  int key = 0;       // KeyDown / KeyUp
  bool alt = false;  // KeyDown / KeyUp: Alt was held
  int x = 0;         // pointer events
  int y = 0;
  MouseButton button = MouseButton::Left;
};

// The picture beside a message box's text.
enum class BoxIcon { None, Information };

// What a modal message box shows.
struct MessageBoxContent {
  std::string text = {};
  std::string caption = {};  // the title bar's; empty shows the game's name
  BoxIcon icon = BoxIcon::None;

  bool operator==(const MessageBoxContent&) const = default;
};

// The first joystick's state, axes -1000..1000, buttons bit 0 = button 1.
struct JoystickState {
  bool present = false;
  int x = 0;
  int y = 0;
  uint32_t buttons = 0;
};

// Everything the game asks of the machine. SdlPlatform is the real desktop;
// HeadlessPlatform runs on a virtual clock for tests and the simulator.
class Platform {
 public:
  virtual ~Platform() = default;

  // Milliseconds since the platform was created; the only clock the game reads.
  virtual uint64_t Ticks() = 0;

  // Takes the next pending event, if any.
  virtual bool PollEvent(PlatformEvent& event) = 0;

  // Sleeps until an event arrives or Ticks() reaches deadline, whichever comes
  // first (at once when the deadline has passed). Never spins.
  virtual void WaitUntil(uint64_t deadline) = 0;

  // True once the platform wants the main loop to end without the game's say
  // (the simulator's `quit` or the end of its script).
  virtual bool QuitRequested() const = 0;

  // Shows the finished 800 x 600 frame (32-bit ARGB8888 surface).
  virtual void Present(SDL_Surface* frame) = 0;

  // Window or borderless full screen with the frame scaled up, letterboxed.
  virtual bool SetFullScreen(bool fullScreen) = 0;
  virtual bool IsFullScreen() const = 0;

  // Whether the game is the active application (frames run only then).
  virtual bool IsActive() const = 0;

  virtual void ShowCursor(bool show) = 0;
  virtual bool CursorShown() const = 0;

  // Opens a web address or a file with the desktop's handler.
  virtual bool OpenUrl(const std::string& target) = 0;

  // A modal message box is open while box is set; the platform draws it over
  // each presented frame. The main loop closes it on Enter, Space, Escape, a
  // click where MessageBoxOkHit says, or a DismissBox event.
  virtual void SetMessageBox(const std::optional<MessageBoxContent>& box) = 0;
  virtual bool MessageBoxOkHit(int x, int y) const = 0;

  virtual JoystickState Joystick() = 0;

  // Another thread's work is done: a waiting WaitUntil returns. Thread-safe.
  virtual void Wake() {}

  // Sound effects. A sound is a complete RIFF WAVE file; SoundOpen returns its
  // handle, or -1 when there is no sound device (every other call then does
  // nothing). Each play starts a new voice from the sound's beginning, once or
  // looping; a voice is playing until its sound has ended or it is stopped, and a
  // finished voice's handle never names another voice. `name` is for the record
  // of what played.
  virtual int SoundOpen(const std::string& name, const uint8_t* wave, size_t size) = 0;
  virtual int SoundPlay(int sound, bool looped) = 0;  // a voice, or -1
  virtual void SoundStop(int voice) = 0;
  virtual bool SoundPlaying(int voice) = 0;

  // Music: one module at a time. MusicLoad returns a handle, or -1 when the
  // file cannot be loaded as a module. Playing a module replaces the one heard.
  virtual int MusicLoad(const std::string& path) = 0;
  virtual void MusicPlay(int module) = 0;
  virtual void MusicStop(int module) = 0;
  virtual void MusicFree(int module) = 0;
};

}  // namespace brinecast
