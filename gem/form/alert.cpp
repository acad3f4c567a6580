// Alert boxes: form_alert builds the built-in alert tree from one string,
// "[icon][line|line...][button|button...]", and runs it as a dialog.
//
// The string is read with bounds everywhere: a line is cut at 32 characters
// and lines after the fifth are dropped, a button is cut at 10 characters
// and buttons after the third are dropped, and a string that ends early
// ends its field there. The result is always a button that was shown.
#include <string.h>

#include "gem/internal.h"

namespace {

constexpr int MAX_LINES = 5, LINE_CHARS = 32;
constexpr int MAX_BUTTONS = 3, BUTTON_CHARS = 10;

// Objects of the alert tree.
constexpr int TITLE = 1, FIRST_LINE = 2, FIRST_BUTTON = 7;

char lines[MAX_LINES][LINE_CHARS + 1];
char buttons[MAX_BUTTONS][BUTTON_CHARS + 1];

// Copies one bracketed field from `s` up to its ']' (or the string's end)
// into `rows`, a '|' starting the next row. Rows past the last and
// characters past a row's room are dropped. Returns the number of rows and
// moves `s` onto the ']' or the terminating NUL.
template <int MaxRows, int Room>
int read_field(const char *&s, char (&rows)[MaxRows][Room])
{
    constexpr int chars = Room - 1;  // the NUL takes the last byte
    int row = 0, col = 0;
    rows[0][0] = '\0';
    for (; *s && *s != ']'; s++) {
        if (*s == '|') {
            if (row + 1 < MaxRows) {
                row++;
                rows[row][0] = '\0';
            } else {
                row = MaxRows;  // every further character is dropped
            }
            col = 0;
        } else if (row < MaxRows && col < chars) {
            rows[row][col++] = *s;
            rows[row][col] = '\0';
        }
    }
    return row < MaxRows ? row + 1 : MaxRows;
}

const char *title_for(char icon)
{
    switch (icon) {
    case '1': return "What?";
    case '2': return "Hmm..";
    default: return "Stop!";
    }
}

void set_flag(OBJECT &ob, unsigned char bit, bool on)
{
    if (on)
        ob.ob_flags |= bit;
    else
        ob.ob_flags &= (unsigned char)~bit;
}

short text_width(const char *s) { return (short)(8 * strlen(s)); }

// Fills the tree from the string; returns the number of shown lines and
// buttons through the arguments.
void build(OBJECT *tree, int default_button, const char *alert, int *nlines, int *nbuttons)
{
    const char *s = alert ? alert : "";
    char icon = 0;
    // "[", the icon, "]" and "[": the text starts at the fifth character.
    for (int i = 0; i < 4 && *s; i++, s++)
        if (i == 1)
            icon = *s;
    *nlines = read_field(s, lines);
    // After the text's "]", one more character (the "[") is passed over.
    for (int i = 0; i < 2 && *s; i++)
        s++;
    *nbuttons = read_field(s, buttons);
    const int n_l = *nlines - 1;

    const char *title = title_for(icon);
    tree[TITLE].ob_spec = (long)title;
    for (int k = 0; k < MAX_LINES; k++) {
        OBJECT &line = tree[FIRST_LINE + k];
        set_flag(line, OF_HIDDEN, k > n_l);
        line.ob_spec = (long)lines[k];
    }

    int row = 2;  // T: the button row's width
    for (int k = 0; k < MAX_BUTTONS; k++) {
        OBJECT &b = tree[FIRST_BUTTON + k];
        const bool shown = k < *nbuttons;
        set_flag(b, OF_HIDDEN, !shown);
        set_flag(b, OF_DEFAULT, shown && k + 1 == default_button);
        b.ob_spec = (long)buttons[k];
        // A hidden button has no size, so that no click can find it.
        b.ob_width = shown ? (short)(text_width(buttons[k]) + 4) : 0;
        b.ob_y = (short)(12 * n_l + 40);
        if (shown)
            row += b.ob_width + 2;
    }

    int w0 = row > text_width(title) + 2 ? row : text_width(title) + 2;
    for (int k = 0; k <= n_l; k++) {
        OBJECT &line = tree[FIRST_LINE + k];
        line.ob_width = text_width(lines[k]);
        if (line.ob_width > w0)
            w0 = line.ob_width;
    }
    const short w = (short)(w0 + 16 < 56 ? 56 : w0 + 16);
    tree[0].ob_width = w;
    tree[0].ob_height = (short)(12 * n_l + 56);
    tree[TITLE].ob_x = (short)((w - 50) >> 1);

    OBJECT *b = tree + FIRST_BUTTON;
    switch (*nbuttons) {
    case 1: b[0].ob_x = (short)(((w - row) >> 1) + 1); break;
    case 2:
        b[0].ob_x = 6;
        b[1].ob_x = (short)(w - (b[1].ob_width + 6));
        break;
    default:
        b[0].ob_x = 6;
        b[1].ob_x = (short)((w - b[1].ob_width) / 2);
        b[2].ob_x = (short)(w - (b[2].ob_width + 6));
        break;
    }
}

}  // namespace

int form_alert(int default_button, const char *alert)
{
    OBJECT *tree = _alertbox;
    if (!tree)
        return 0;  // the layer is not started: there is no screen to show it on
    int nlines, nbuttons;
    build(tree, default_button, alert, &nlines, &nbuttons);

    short x, y, w, h;
    form_center(tree, &x, &y, &w, &h);
    // Without room to save the screen under it, the alert is not shown.
    if (!form_dial(0, 0, 0, 0, 0, x, y, w, h))
        return 0;
    objc_draw(tree, 0, 8, x, y, w, h);
    const int r = form_do(tree, 0);
    tree[r].ob_flags &= (unsigned char)~OF_SELECTED;
    form_dial(3, 0, 0, 0, 0, x, y, w, h);
    return r - 6;
}
