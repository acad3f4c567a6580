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
    {"icon", OT_ICON},
    {"fboxtext", OT_FBOXTEXT},
    {"text", OT_TEXT},
    {"boxtext", OT_BOXTEXT},
    {"image", OT_IMAGE},
    {"userdef", OT_USERDEF},
    {"button", OT_BUTTON},
};

// In the order the writer lists them.
constexpr Named FLAGS[] = {
    {"default", OF_DEFAULT},   {"exit", OF_EXIT},     {"checked", OF_CHECKED},
    {"lastob", OF_LASTOB},     {"hidden", OF_HIDDEN}, {"selected", OF_SELECTED},
    {"disabled", OF_DISABLED}, {"framed", OF_FRAMED},
};

// The named bits of ob_xflags, in the order the writer lists them. The 3D
// flags are one two-bit field: fl3dact is both bits.
constexpr Named XFLAGS[] = {
    {"selectable", OX_SELECTABLE}, {"inline", OX_INLINE},       {"editable", OX_EDITABLE},
    {"rbutton", OX_RBUTTON},       {"touchexit", OX_TOUCHEXIT},
};
constexpr Named FL3D[] = {
    {"fl3dind", OX_FL3DIND},
    {"fl3dbak", OX_FL3DBAK},
    {"fl3dact", OX_FL3DACT},
};
constexpr unsigned FL3D_FIELD = OX_FL3DACT;

// The named states of ob_xstate.
constexpr Named STATES[] = {
    {"crossed", OS_CROSSED},   {"outlined", OS_OUTLINED}, {"shadowed", OS_SHADOWED},
    {"whitebak", OS_WHITEBAK}, {"draw3d", OS_DRAW3D},
};

// The states that live in ob_flags: ob_xstate keeps them 0.
constexpr unsigned FLAG_STATES = OS_SELECTED | OS_CHECKED | OS_DISABLED;

// ob_just, the word first; `center` is read as `centre`.
constexpr Named JUSTS[] = {
    {"left", TE_LEFT},
    {"right", TE_RIGHT},
    {"centre", TE_CNTR},
    {"center", TE_CNTR},
};

// The named looks: `hollow` is the fill field (bits 0 to 2) at OL_HOLLOW,
// `transparent` the text mode bit.
constexpr Named LOOKS[] = {
    {"hollow", OL_HOLLOW},
    {"transparent", OL_TRANSPARENT},
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

// The name of `value` in `table`, or null.
template <size_t N>
const char *name_of(const Named (&table)[N], int value)
{
    for (const Named &n : table)
        if (n.value == value)
            return n.name;
    return nullptr;
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
