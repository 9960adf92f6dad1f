// SDL keys turned into the virtual-key codes the game speaks, the keypad and non-Latin
// layouts included.
#pragma once

#include <SDL_keyboard.h>

#include <cstdint>

#include "platform/VirtualKeys.h"

namespace brinecast {

namespace keymap_detail {

// The keypad with Num Lock off moves the caret, as the desktop the game was made for does.
inline int KeypadKey(SDL_Scancode scancode, bool numLock) {
  struct Pad {
    SDL_Scancode scancode;
    int digit;
    int navigation;  // 0: the key means nothing to the game without Num Lock
  };
  static constexpr Pad kPad[] = {
      {SDL_SCANCODE_KP_0, 0, vk::Insert}, {SDL_SCANCODE_KP_1, 1, vk::End},
      {SDL_SCANCODE_KP_2, 2, vk::Down},   {SDL_SCANCODE_KP_3, 3, vk::Next},
      {SDL_SCANCODE_KP_4, 4, vk::Left},   {SDL_SCANCODE_KP_5, 5, 0},
      {SDL_SCANCODE_KP_6, 6, vk::Right},  {SDL_SCANCODE_KP_7, 7, vk::Home},
      {SDL_SCANCODE_KP_8, 8, vk::Up},     {SDL_SCANCODE_KP_9, 9, vk::Prior},
  };
  for (const Pad& pad : kPad) {
    if (pad.scancode == scancode) return numLock ? vk::Numpad0 + pad.digit : pad.navigation;
  }
  if (scancode == SDL_SCANCODE_KP_PERIOD && !numLock) return vk::Delete;
  return -1;  // not a keypad digit
}

inline int NamedKey(SDL_Keycode key) {
  switch (key) {
    case SDLK_BACKSPACE:
      return vk::Back;
    case SDLK_TAB:
      return vk::Tab;
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
      return vk::Return;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return vk::Shift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return vk::Control;
    case SDLK_LALT:
    case SDLK_RALT:
      return vk::Menu;
    case SDLK_PAUSE:
      return vk::Pause;
    case SDLK_CAPSLOCK:
      return vk::Capital;
    case SDLK_ESCAPE:
      return vk::Escape;
    case SDLK_SPACE:
      return vk::Space;
    case SDLK_PAGEUP:
      return vk::Prior;
    case SDLK_PAGEDOWN:
      return vk::Next;
    case SDLK_END:
      return vk::End;
    case SDLK_HOME:
      return vk::Home;
    case SDLK_LEFT:
      return vk::Left;
    case SDLK_UP:
      return vk::Up;
    case SDLK_RIGHT:
      return vk::Right;
    case SDLK_DOWN:
      return vk::Down;
    case SDLK_INSERT:
      return vk::Insert;
    case SDLK_DELETE:
      return vk::Delete;
    case SDLK_LGUI:
      return vk::LWin;
    case SDLK_RGUI:
      return vk::RWin;
    case SDLK_APPLICATION:
    case SDLK_MENU:
      return vk::Apps;
    default:
      break;
  }
  if (key >= SDLK_F1 && key <= SDLK_F12) return vk::F1 + (key - SDLK_F1);
  return 0;
}

}  // namespace keymap_detail

// The virtual-key code the game knows for an SDL key, or 0 for a key it ignores.
// Letters follow the layout; a layout without Latin letters falls back to the key's
// position so that A..Z still reach the game.
inline int VirtualKeyFromSdl(SDL_Keycode key, SDL_Scancode scancode, uint16_t mod) {
  const int pad = keymap_detail::KeypadKey(scancode, (mod & KMOD_NUM) != 0);
  if (pad >= 0) return pad;
  if (key >= SDLK_a && key <= SDLK_z) return vk::KeyA + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return vk::Key0 + (key - SDLK_0);
  if (key >= 0x80 && !(key & SDLK_SCANCODE_MASK) && scancode >= SDL_SCANCODE_A &&
      scancode <= SDL_SCANCODE_Z) {
    return vk::KeyA + (scancode - SDL_SCANCODE_A);
  }
  return keymap_detail::NamedKey(key);
}

}  // namespace brinecast
