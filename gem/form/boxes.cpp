// Prepared dialogs on the dialog loop: form_infobox runs any tree as a
// centred modal box, form_input_text and form_input ask for a line of text
// or a number in the built-in input box, and form_error and form_error_text
// show an error in an alert with one "OK" button.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "gem/internal.h"

namespace {

// Objects of the input box.
constexpr int FIELD = 1, RETURN_BUTTON = 2, TITLE = 3;

constexpr int TITLE_CHARS = 39;
constexpr int TEXT_CHARS = 255;  // what an edit field holds at most

// The box's texts live here between calls, so the tree never points at
// storage that is gone: the title, the template, and a copy of the last
// answer that the field shows once the caller's buffer is handed back.
char title_text[TITLE_CHARS + 1];
char template_text[TEXT_CHARS + 1];
char last_answer[TEXT_CHARS + 1];

// Characters that fit across the screen inside the box's 24-pixel margin.
size_t screen_chars() { return (size_t)std::clamp((_scrwid - 24) / 8, 0, TEXT_CHARS); }

void copy_cut(char *out, const std::string &s, size_t most)
{
    const size_t n = std::min(s.size(), most);
    memcpy(out, s.data(), n);
    out[n] = '\0';
}

// Sets the input box up for a field of `maxlen` characters after the
// prompt, cut so that the box fits the screen; returns the most characters
// the field takes (the template's placeholders).
short prepare_input_box(int maxlen, const char *prompt, const char *title, short valid)
{
    const size_t room = screen_chars();
    copy_cut(title_text, title && *title ? title : "Input", std::min<size_t>(TITLE_CHARS, room));
    const int places = std::clamp(maxlen, 0, TEXT_CHARS);
    copy_cut(template_text, std::string(prompt ? prompt : "") + ": " + std::string(places, '_'),
             room);

    OBJECT *box = _inputbox;
    TEDINFO *ted = (TEDINFO *)box[FIELD].ob_spec;
    ted->te_ptmplt = template_text;
    ted->te_pvalid = valid;
    box[TITLE].ob_spec = (long)title_text;

    const short title_w = (short)(8 * strlen(title_text));
    const short field_w = (short)(8 * strlen(template_text));
    const short w = (short)(std::max(title_w, field_w) + 24);
    box[0].ob_width = w;
    box[FIELD].ob_width = field_w;
    box[FIELD].ob_x = (short)((w - field_w) / 2);
    box[TITLE].ob_width = title_w;
    box[TITLE].ob_x = (short)((w - title_w) / 2);
    box[RETURN_BUTTON].ob_x = (short)(w / 2 - 32);
    return (short)std::count(template_text, template_text + strlen(template_text), '_');
}

// Edits `text` in the prepared box; afterwards the field shows a copy.
int run_input_box(char *text)
{
    TEDINFO *ted = (TEDINFO *)_inputbox[FIELD].ob_spec;
    ted->te_ptext = text;
    const int r = form_infobox(_inputbox);
    copy_cut(last_answer, text, TEXT_CHARS);
    ted->te_ptext = last_answer;
    return r;
}

}  // namespace

int form_infobox(OBJECT *tree)
{
    if (!tree)
        return -1;
    short x, y, w, h;
    form_center(tree, &x, &y, &w, &h);
    // Without room to save the screen under it, the box is not shown.
    if (!form_dial(0, 0, 0, 0, 0, x, y, w, h))
        return -1;
    objc_draw(tree, 0, 8, x, y, w, h);
    const int r = form_do(tree, 0);
    form_dial(3, 0, 0, 0, 0, x, y, w, h);
    // A double click on a touch-exit object sets the result's top bit.
    tree[r & 0x7fff].ob_flags &= (unsigned char)~OF_SELECTED;
    return r;
}

int form_input_text(int maxlen, const char *prompt, char *text, const char *title)
{
    if (!text)
        return -1;
    prepare_input_box(maxlen, prompt, title, 'X');
    return run_input_box(text);
}

int form_input(int maxlen, const char *prompt, int value, const char *title)
{
    // One place more than asked for, for a sign.
    const short places =
        prepare_input_box(std::clamp(maxlen, 0, TEXT_CHARS - 1) + 1, prompt, title, '9');
    char answer[TEXT_CHARS + 1];
    snprintf(answer, (size_t)places + 1, "%d", value);  // digits past the field are cut
    run_input_box(answer);
    return atoi(answer);
}

int form_error(int code)
{
    char alert[32];
    snprintf(alert, sizeof alert, "[0][Error %d][OK]", code);
    form_alert(1, alert);
    return 1;
}

int form_error_text(const char *text)
{
    const std::string alert = std::string("[0][") + (text ? text : "") + "][OK]";
    form_alert(1, alert.c_str());
    return 1;
}
