// Windows virtual-key codes: the key numbers the game speaks on every platform.
#pragma once

namespace brinecast::vk {

constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12;  // Alt
constexpr int Pause = 0x13;
constexpr int Capital = 0x14;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Prior = 0x21;  // Page Up
constexpr int Next = 0x22;   // Page Down
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int Key0 = 0x30;  // '0'..'9' are 0x30..0x39
constexpr int KeyA = 0x41;  // 'A'..'Z' are 0x41..0x5A
constexpr int LWin = 0x5B;
constexpr int RWin = 0x5C;
constexpr int Apps = 0x5D;     // the menu key
constexpr int Numpad0 = 0x60;  // Numpad0..Numpad9 are 0x60..0x69
constexpr int F1 = 0x70;       // F1..F12 are 0x70..0x7B

}  // namespace brinecast::vk
