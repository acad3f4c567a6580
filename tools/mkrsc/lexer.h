// Splitting one line of a description into words, numbers, quoted texts,
// characters and punctuation.
#pragma once

#include <string>
#include <vector>

namespace mkrsc {

struct Token {
    enum Kind { WORD, NUMBER, TEXT, CHAR, PUNCT } kind;
    std::string text;  // the word, the text or character unquoted, the punctuation
    long long number;  // NUMBER, and CHAR (its byte)
};

// The tokens of `line` up to a `#` outside quotes; throws Error naming
// `line_no` for a bad number, an unclosed quote or a stray character.
std::vector<Token> tokenize(const std::string &line, int line_no);

}  // namespace mkrsc
