// The typing rule shared by the name entry and the options text.
#include "ui/TextEdit.h"

#include "storage/TypingRule.h"

namespace brinecast {

bool TypeKey(std::string& text, int key) {
  if (!IsTypingKey(key)) return false;
  if (text.size() < kMaxTypedLength) text.push_back(TypedChar(key, text.empty()));
  return true;
}

void EraseLast(std::string& text) {
  if (!text.empty()) text.pop_back();
}

}  // namespace brinecast
