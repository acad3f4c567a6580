// An object's state as one word. The one-byte model keeps selected, checked
// and disabled among its flags (OF_*); the other states live in ob_xstate.
// The calls that speak of a whole state (objc_change, graf_watchbox, the
// PARMBLK of a user-drawn object) use the OS_* word these functions build.
#include "gem/internal.h"

namespace {

struct StateBit {
    unsigned state;      // OS_*
    unsigned char flag;  // OF_*
};

constexpr StateBit IN_FLAGS[] = {
    {OS_SELECTED, OF_SELECTED},
    {OS_CHECKED, OF_CHECKED},
    {OS_DISABLED, OF_DISABLED},
};

constexpr unsigned FLAG_STATES = OS_SELECTED | OS_CHECKED | OS_DISABLED;

}  // namespace

int _ob_state(const OBJECT *ob)
{
    unsigned state = ob->ob_xstate & ~FLAG_STATES & 0xffffu;
    for (const StateBit &b : IN_FLAGS)
        if (ob->ob_flags & b.flag)
            state |= b.state;
    return (int)state;
}

void _ob_set_state(OBJECT *ob, int state)
{
    for (const StateBit &b : IN_FLAGS) {
        if ((unsigned)state & b.state)
            ob->ob_flags |= b.flag;
        else
            ob->ob_flags &= (unsigned char)~b.flag;
    }
    ob->ob_xstate = (unsigned short)((unsigned)state & ~FLAG_STATES & 0xffffu);
}

long _ob_spec(const OBJECT *ob)
{
    if (!(ob->ob_xflags & OX_INDIRECT))
        return ob->ob_spec;
    const long *real = (const long *)ob->ob_spec;
    return real ? *real : 0;
}
