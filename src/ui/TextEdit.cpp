// The typing rule shared by the name entry and the options text.
#include "ui/TextEdit.h"

namespace brinecast {

namespace {

constexpr int kFirstTypingKey = 65;
constexpr int kLastTypingKey = 100;
constexpr size_t kMaxLength = 12;
// Keys after the first character type their code plus this (capital, then lower case).
constexpr int kLaterOffset = 32;

}  // namespace

bool TypeKey(std::string& text, int key) {
  if (key < kFirstTypingKey || key > kLastTypingKey) return false;
  if (text.size() >= kMaxLength) return true;
  const int code = text.empty() ? key : key + kLaterOffset;
  text.push_back(static_cast<char>(static_cast<unsigned char>(code)));
  return true;
}

void EraseLast(std::string& text) {
  if (!text.empty()) text.pop_back();
}

}  // namespace brinecast
