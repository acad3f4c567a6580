// menu_text, which writes a new text into a menu entry, and menu_register,
// which gives the program a name appl_find knows.
#include <string.h>

#include "gem/internal.h"
#include "gem/resource/walk.h"

namespace {

// The types whose ob_spec is a string the object owns.
bool holds_string(const OBJECT &ob)
{
    const bool string_type =
        ob.ob_type == OT_STRING || ob.ob_type == OT_TITLE || ob.ob_type == OT_BUTTON;
    return string_type && !(ob.ob_xflags & OX_INLINE);
}

}  // namespace

// The entry's string is all the room there is: the new text is cut to the
// string's length, and a shorter text is padded with spaces, so the entry
// keeps its length (and its room) for the next change. Nothing is redrawn.
int menu_text(OBJECT *tree, int index, const char *text)
{
    if (!tree || !text)
        return 0;
    TreeGuard guard(tree);
    if (!guard.valid(index) || !holds_string(tree[index]))
        return 0;
    char *entry = (char *)_ob_spec(&tree[index]);
    if (!entry)
        return 0;
    const size_t room = strlen(entry);
    const size_t length = strnlen(text, room);
    memcpy(entry, text, length);
    memset(entry + length, ' ', room - length);
    return 1;
}

// The program registers for itself (0, or -1 as later systems allow). The
// menu id is the slot the name took: 0 to 5, one per classic accessory
// entry; the same name again gets its slot again.
int menu_register(int apid, const char *name)
{
    if (apid != 0 && apid != -1)
        return -1;
    return _appl_add_name(name);
}
