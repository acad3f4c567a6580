// The file selector's list and extension row: f_list fills the 32 slots from
// match `_currfile` on and enables the scroll buttons that can move the
// list; sort_extns keeps the five most recent extensions, newest first.
#include <stdio.h>
#include <string.h>

#include <string>

#include "gem/internal.h"

namespace {

constexpr int LIST = 5, FIRST_SLOT = 6, SLOTS = 32;
constexpr int FIRST_EXTN = 41, LAST_EXTN = 45;
constexpr int SCROLL_BACK = 46, SCROLL_ON = 47;
constexpr int SLOT_CHARS = 18, EXTN_CHARS = 3;

char *text_of(int index) { return (char *)_fselbox[index].ob_spec; }

void draw(int index, int depth) { objc_draw(_fselbox, index, depth, _fsx, _fsy, _fsw, _fsh); }

// Copies an extension button's text (at most 3 characters) to another.
void copy_extn(int to, const char *text)
{
    const size_t n = strnlen(text, EXTN_CHARS);
    memcpy(text_of(to), text, n);
    text_of(to)[n] = '\0';
}

}  // namespace

void _amess(int n, OBJECT *slot)
{
    const FSEL_FILE &f = _files[_matches[n]];
    slot->ob_colbyte = (unsigned char)(f.isdir + 1);
    const std::string name = f.name, ext = f.extension;
    // A name the table's fields had to cut is always shown with the '~'.
    const bool cut = strlen(f.whole) != name.size() + (ext.empty() ? 0 : 1 + ext.size());
    std::string shown;
    if (ext.empty() && !cut)
        shown = name.substr(0, SLOT_CHARS);
    else if (name.size() + 1 + ext.size() <= SLOT_CHARS && !cut)
        shown = name + "." + ext;
    else  // shortened to 18 characters, '~' in place of the dot
        shown = name.substr(0, SLOT_CHARS - 1 - ext.size()) + "~" + ext;
    memcpy((char *)slot->ob_spec, shown.c_str(), shown.size() + 1);
}

void f_list(int redraw)
{
    short first = _currfile;
    menu_ienable(_fselbox, SCROLL_BACK, first != 0);
    menu_ienable(_fselbox, SCROLL_ON, first < _nummatches - SLOTS);
    for (int k = FIRST_SLOT; k < FIRST_SLOT + SLOTS; k++) {
        char *text = text_of(k);
        memset(text, ' ', SLOT_CHARS);
        text[SLOT_CHARS] = '\0';
        if (first >= 0 && first < _nummatches)
            _amess(first++, &_fselbox[k]);
    }
    if (redraw) {
        draw(LIST, 2);
        draw(SCROLL_BACK, 2);
        draw(SCROLL_ON, 2);
    }
}

int sort_extns(void)
{
    const char *dot = strrchr(_selfile, '.');
    if (!_fselbox || !dot || dot[1] == '*')
        return 0;
    // Longer extensions are kept as their first two characters and a '*'.
    char key[EXTN_CHARS + 1];
    const char *ext = dot + 1;
    if (strlen(ext) <= EXTN_CHARS)
        snprintf(key, sizeof key, "%s", ext);
    else
        snprintf(key, sizeof key, "%.2s*", ext);

    int found = LAST_EXTN + 1;
    for (int i = FIRST_EXTN; i <= LAST_EXTN; i++)
        if (strcmp(text_of(i), key) == 0) {
            found = i;
            break;
        }
    // The buttons before the key's place move one to the right; with the
    // key not there, the last button's text drops out.
    for (int i = (found > LAST_EXTN ? LAST_EXTN : found); i > FIRST_EXTN; i--)
        copy_extn(i, text_of(i - 1));
    copy_extn(FIRST_EXTN, key);
    return 1;
}

void refresh_extns(void)
{
    if (sort_extns())
        for (int i = FIRST_EXTN; i <= LAST_EXTN; i++)
            draw(i, 1);
}

int fsel_set_extn(const char *ext)
{
    if (!ext)
        return 0;
    snprintf(_selfile, sizeof _selfile, "*.%s", ext);
    return sort_extns();
}
