// The words of the description language shared by the reader and the
// writer: object types and flags by their gem.h names, and quoted texts.
#pragma once

#include <string>

#include "gem/gem.h"

namespace mkrsc {

struct Named {
    const char *name;
    int value;
};

constexpr Named TYPES[] = {
    {"box", OT_BOX},
    {"ibox", OT_IBOX},
    {"boxchar", OT_BOXCHAR},
    {"string", OT_STRING},
    {"ftext", OT_FTEXT},
    {"edtext", OT_EDTEXT},
    {"scrolltext", OT_SCROLLTEXT},
    {"title", OT_TITLE},
};

// In the order the writer lists them.
constexpr Named FLAGS[] = {
    {"default", OF_DEFAULT},   {"exit", OF_EXIT},     {"checked", OF_CHECKED},
    {"lastob", OF_LASTOB},     {"hidden", OF_HIDDEN}, {"selected", OF_SELECTED},
    {"disabled", OF_DISABLED}, {"framed", OF_FRAMED},
};

// The value of `word` in `table`, or -1.
template <size_t N>
int value_of(const Named (&table)[N], const std::string &word)
{
    for (const Named &n : table)
        if (word == n.name)
            return n.value;
    return -1;
}

// The name of a type, or null for a type without one.
inline const char *type_name(int type)
{
    for (const Named &n : TYPES)
        if (n.value == type)
            return n.name;
    return nullptr;
}

// `s` between `quote` characters, with \\, \<quote>, \n, \t and \xHH
// (exactly two hex digits) for what is not printable ASCII.
std::string quoted(const std::string &s, char quote);

}  // namespace mkrsc
