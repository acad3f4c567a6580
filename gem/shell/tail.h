// Command tails: the classic form of a program's arguments, one length byte
// and then the text, the arguments separated by spaces.
#pragma once

#include <string>
#include <vector>

namespace command_tail {

constexpr int BYTES = 128;       // the classic tail buffer
constexpr int TEXT = BYTES - 2;  // characters after the length byte, before the 0

// The arguments in `tail`: its text (no longer than its length byte says,
// nor than TEXT, nor than up to a 0) split on spaces. Nothing else is
// special: quotes, '$', ';' and the like are plain characters.
std::vector<std::string> split(const char *tail);

// Writes `args` joined by single spaces as a tail into `tail` (BYTES bytes
// at most): the text cut to TEXT characters, its length in the first byte,
// a 0 after it.
void join(const std::vector<std::string> &args, char *tail);

}  // namespace command_tail
