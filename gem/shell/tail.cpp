// Command tails, split into arguments and joined from them.
#include "gem/shell/tail.h"

#include <string.h>

namespace command_tail {

std::vector<std::string> split(const char *tail)
{
    std::vector<std::string> args;
    if (!tail)
        return args;
    const size_t claimed = (unsigned char)tail[0];
    const size_t length = strnlen(tail + 1, claimed < (size_t)TEXT ? claimed : (size_t)TEXT);
    const std::string text(tail + 1, length);
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find(' ', at);
        const size_t stop = end == std::string::npos ? text.size() : end;
        if (stop > at)
            args.push_back(text.substr(at, stop - at));
        at = stop + 1;
    }
    return args;
}

void join(const std::vector<std::string> &args, char *tail)
{
    std::string text;
    for (const std::string &a : args) {
        if (!text.empty())
            text += ' ';
        text += a;
    }
    if (text.size() > (size_t)TEXT)
        text.resize(TEXT);
    tail[0] = (char)text.size();
    memcpy(tail + 1, text.c_str(), text.size() + 1);
}

}  // namespace command_tail
