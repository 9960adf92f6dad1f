// KeyNames: the table of named keys, letters, digits and numeric-pad keys.
#include "KeyNames.h"

#include <array>
#include <charconv>
#include <utility>

#include "platform/VirtualKeys.h"

namespace brinecast::sim {

namespace {

constexpr std::array<std::pair<std::string_view, int>, 12> kNamed = {{
    {"Left", vk::Left},
    {"Right", vk::Right},
    {"Up", vk::Up},
    {"Down", vk::Down},
    {"Enter", vk::Return},
    {"Escape", vk::Escape},
    {"Space", vk::Space},
    {"Backspace", vk::Back},
    {"Ctrl", vk::Control},
    {"Alt", vk::Menu},
    {"Shift", vk::Shift},
    {"Tab", vk::Tab},
}};

std::optional<int> Number(std::string_view text) {
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> KeyCode(std::string_view name) {
  if (name.empty()) return std::nullopt;
  for (const auto& [keyName, code] : kNamed) {
    if (name == keyName) return code;
  }
  if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return vk::KeyA + (name[0] - 'A');
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return vk::Key0 + (name[0] - '0');
  if (name.size() == 4 && name.starts_with("Num") && name[3] >= '0' && name[3] <= '9') {
    return vk::Numpad0 + (name[3] - '0');
  }
  if (name[0] == 'F' && name.size() > 1) {
    std::optional<int> n = Number(name.substr(1));
    if (n && *n >= 1 && *n <= 12) return vk::F1 + *n - 1;
    return std::nullopt;
  }
  std::optional<int> code = Number(name);
  if (code && *code > 0 && *code <= 255) return code;
  return std::nullopt;
}

}  // namespace brinecast::sim
