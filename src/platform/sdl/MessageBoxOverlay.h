// The modal message box drawn as a picture laid over the frame.
#pragma once

#include <SDL_surface.h>

#include <optional>
#include <string>

#include "platform/Platform.h"
#include "platform/sdl/MessageBoxLayout.h"

typedef struct _TTF_Font TTF_Font;

namespace brinecast {

// The modal message box as a transparent 800 x 600 picture laid over the frame, so it
// is scaled with the frame and works the same in a window and in full screen.
class MessageBoxOverlay {
 public:
  MessageBoxOverlay();
  ~MessageBoxOverlay();
  MessageBoxOverlay(const MessageBoxOverlay&) = delete;
  MessageBoxOverlay& operator=(const MessageBoxOverlay&) = delete;

  // Opens this box, or closes it.
  void Set(const std::optional<MessageBoxContent>& box);
  // The drawn box, or nullptr while none is open.
  SDL_Surface* Picture() const { return picture_; }
  bool OkHit(int x, int y) const;
  // Where the open box's parts were drawn.
  const MessageBoxLayout& Layout() const { return layout_; }

 private:
  static int Measure(TTF_Font* font, const std::string& line);
  // The caption's and the button's: bold when there is one.
  TTF_Font* CaptionFont() const { return boldFont_ != nullptr ? boldFont_ : font_; }
  void Draw(const MessageBoxLayout& layout);
  void DrawText(TTF_Font* font, const std::string& text, int x, int y, SDL_Color colour);

  TTF_Font* font_ = nullptr;
  TTF_Font* boldFont_ = nullptr;
  bool ttfStarted_ = false;
  SDL_Surface* picture_ = nullptr;
  MessageBoxLayout layout_;
  BoxIcon icon_ = BoxIcon::None;
};

}  // namespace brinecast
