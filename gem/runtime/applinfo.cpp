// What a program learns about applications and about this AES. There is
// one application, the program itself (id 0), known by the classic
// eight-character name of its executable and by any name given to
// menu_register; appl_getinfo answers for what this layer has.
#include <ctype.h>
#include <errno.h>  // program_invocation_short_name
#include <string.h>

#include <array>

#include "gem/internal.h"

namespace {

constexpr int NAME_CHARS = 8;
using Name = std::array<char, NAME_CHARS>;

// The classic accessory slots of the Desk menu.
constexpr int REGISTERED_NAMES = 6;
Name registered[REGISTERED_NAMES];
int registered_count;

// The first eight characters of `text` (up to its end), padded with spaces.
Name padded(const char *text)
{
    Name name;
    name.fill(' ');
    for (int i = 0; i < NAME_CHARS && text[i]; i++)
        name[(size_t)i] = text[i];
    return name;
}

// The executable's base name without its extension, upper-cased, as a
// classic name.
Name own_name()
{
    const char *base = program_invocation_short_name;
    const char *dot = strrchr(base, '.');
    const size_t length = dot && dot != base ? (size_t)(dot - base) : strlen(base);
    Name name;
    name.fill(' ');
    for (size_t i = 0; i < length && i < NAME_CHARS; i++)
        name[i] = (char)toupper((unsigned char)base[i]);
    return name;
}

bool is_own(const Name &name)
{
    if (name == own_name() || name == padded("?AGI"))
        return true;
    for (int i = 0; i < registered_count; i++)
        if (registered[i] == name)
            return true;
    return false;
}

void put(short *place, short value)
{
    if (place)
        *place = value;
}

// appl_getinfo's four answers for one type.
struct Info {
    short out[4];
};

// Height (as vst_height takes it), id and type (0: a system font) of a
// built-in font; zeros before appl_init has registered it.
Info font_info(int number)
{
    if (number >= _no_of_fonts || !_sysfonts[number])
        return {{0, 0, 0, 0}};
    return {{_sysfonts[number]->top, _sysfonts[number]->font_id, 0, 0}};
}

// The messages the layer sends (type 12): WM_NEWTOP (bit 0) and AP_TERM
// (bit 3).
constexpr short MESSAGES_SENT = 0x0001 | 0x0008;

}  // namespace

int _appl_add_name(const char *name)
{
    if (!name || !*name)
        return -1;
    const Name n = padded(name);
    for (int i = 0; i < registered_count; i++)
        if (registered[i] == n)
            return i;
    if (registered_count == REGISTERED_NAMES)
        return -1;
    registered[registered_count] = n;
    return registered_count++;
}

void _appl_forget_names(void) { registered_count = 0; }

int appl_find(const char *name)
{
    // A null name asks for the caller's own id.
    if (!name)
        return 0;
    return is_own(padded(name)) ? 0 : -1;
}

int appl_search(int mode, char *name, short *type, short *apid)
{
    // Mode 0 lists the first application, mode 1 the next: the program is
    // the only one. Other modes (the shell, a system process) find none.
    if (mode != 0)
        return 0;
    if (name) {
        const Name own = own_name();
        memcpy(name, own.data(), NAME_CHARS);
        name[NAME_CHARS] = '\0';
    }
    put(type, 2);  // an application (1 would be a system process)
    put(apid, 0);
    return 1;
}

int appl_getinfo(int type, short *out1, short *out2, short *out3, short *out4)
{
    Info info = {{0, 0, 0, 0}};
    switch (type) {
    case 0: info = font_info(0); break;  // the font of the layer's own texts
    case 1: info = font_info(2); break;  // the small font
    case 2: info = {{(short)Getrez(), 256, 0, 0}}; break;
    case 3: break;                         // English
    case 4: info = {{0, 0, 1, 0}}; break;  // appl_search
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 11:
    case 13: break;                         // none of the later extensions
    case 10: info = {{1, 0, 1, 0}}; break;  // shel_write mode 1, run at once
    case 12: info = {{MESSAGES_SENT, 0, 0, 0}}; break;
    default: return 0;
    }
    short *const out[4] = {out1, out2, out3, out4};
    for (int i = 0; i < 4; i++)
        put(out[i], info.out[i]);
    return 1;
}
