// Editing names and the options text by the typing rule (storage/TypingRule.h).
#pragma once

#include <string>

namespace brinecast {

// The typing rule of names and the options text: keys 65..100 type, the first
// character is the key's code, later ones the code plus 32; at most 12.
// Returns whether the key was a typing key.
bool TypeKey(std::string& text, int key);
// Backspace: drops the last character, if any.
void EraseLast(std::string& text);

}  // namespace brinecast
