#include "lexer.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "mkrsc.h"
#include "names.h"

namespace mkrsc {

namespace {

bool word_char(char c) { return std::isalnum((unsigned char)c) || c == '_'; }

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = (char)std::tolower((unsigned char)c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

class Lexer {
public:
    Lexer(const std::string &line, int line_no) : s_(line), line_(line_no) {}

    std::vector<Token> run()
    {
        std::vector<Token> out;
        while (skip_space()) {
            const char c = s_[p_];
            if (c == '"' || c == '\'')
                out.push_back(quoted_token(c));
            else if (std::isdigit((unsigned char)c) || c == '-')
                out.push_back(number());
            else if (word_char(c))
                out.push_back(word());
            else if (c == '{' || c == '}' || c == ',' || c == '@')
                out.push_back({Token::PUNCT, std::string(1, s_[p_++]), 0});
            else
                throw Error(line_, "unexpected character '" + std::string(1, c) + "'");
        }
        return out;
    }

private:
    // False at the end of the line or at a comment.
    bool skip_space()
    {
        while (p_ < s_.size() && std::isspace((unsigned char)s_[p_]))
            p_++;
        return p_ < s_.size() && s_[p_] != '#';
    }

    Token word()
    {
        const size_t start = p_;
        while (p_ < s_.size() && word_char(s_[p_]))
            p_++;
        return {Token::WORD, s_.substr(start, p_ - start), 0};
    }

    Token number()
    {
        const size_t start = p_++;
        while (p_ < s_.size() && word_char(s_[p_]))
            p_++;
        const std::string digits = s_.substr(start, p_ - start);
        const bool hex = digits.size() > 2 && digits.compare(0, 2, "0x") == 0;
        char *end = nullptr;
        errno = 0;
        const long long v = std::strtoll(digits.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
        if (digits == "-" || *end != '\0' || errno == ERANGE || (hex && digits[2] == '-'))
            throw Error(line_, "bad number '" + digits + "'");
        return {Token::NUMBER, digits, v};
    }

    // One character of a quoted text, escapes decoded.
    char text_char()
    {
        const char c = s_[p_++];
        if (c != '\\')
            return c;
        if (p_ >= s_.size())
            throw Error(line_, "unfinished escape at the end of the line");
        const char e = s_[p_++];
        switch (e) {
        case 'n': return '\n';
        case 't': return '\t';
        case '\\':
        case '"':
        case '\'': return e;
        case 'x': {
            const int hi = p_ < s_.size() ? hex_digit(s_[p_]) : -1;
            const int lo = p_ + 1 < s_.size() ? hex_digit(s_[p_ + 1]) : -1;
            if (hi < 0 || lo < 0)
                throw Error(line_, "\\x wants two hex digits");
            p_ += 2;
            return (char)(hi * 16 + lo);
        }
        default: throw Error(line_, "unknown escape '\\" + std::string(1, e) + "'");
        }
    }

    Token quoted_token(char quote)
    {
        p_++;
        std::string chars;
        while (p_ < s_.size() && s_[p_] != quote)
            chars += text_char();
        if (p_ >= s_.size())
            throw Error(line_, std::string("unclosed ") + quote);
        p_++;
        // The image keeps a text up to its NUL: one inside would cut it.
        if (quote == '"' && chars.find('\0') != std::string::npos)
            throw Error(line_, "a text cannot hold a NUL byte");
        if (quote == '"')
            return {Token::TEXT, chars, 0};
        if (chars.size() != 1)
            throw Error(line_, "a character in '' must be exactly one");
        return {Token::CHAR, chars, (unsigned char)chars[0]};
    }

    const std::string &s_;
    int line_;
    size_t p_ = 0;
};

}  // namespace

std::vector<Token> tokenize(const std::string &line, int line_no)
{
    return Lexer(line, line_no).run();
}

std::string quoted(const std::string &s, char quote)
{
    static const char HEX[] = "0123456789abcdef";
    std::string out(1, quote);
    for (const char c : s) {
        const unsigned char u = (unsigned char)c;
        if (c == quote || c == '\\')
            out += {'\\', c};
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (u < 0x20 || u >= 0x7f)
            out += {'\\', 'x', HEX[u >> 4], HEX[u & 15]};
        else
            out += c;
    }
    return out + quote;
}

}  // namespace mkrsc
