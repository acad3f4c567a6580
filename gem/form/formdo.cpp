// The dialog loop: form_do runs a dialog that is already on the screen. It
// polls input, hands keys to form_keybd and presses to form_button, edits
// the text of one field at a time with objc_edit, switches the pointer to
// the text cursor over editable fields, and returns the index of the object
// that ended the dialog. _tpos prepares a field of the layer's own kind for
// editing.
#include <string.h>

#include <algorithm>

#include "gem/form/dialog.h"

namespace {

// Edit texts hold at most this many characters, whatever a template or a
// buffer size says.
constexpr int MAX_EDIT = 255;
// Text lengths are counted in 16 bits, like the cursor position.
constexpr size_t MAX_LENGTH = 32767;

constexpr short TAB = 9;
constexpr short LEFT_DOWN = 0x02, RIGHT_DOWN = 0x08;

// The flags that make an object behave as in a classic dialog.
constexpr unsigned CLASSIC_FLAGS = OX_SELECTABLE | OX_EDITABLE | OX_RBUTTON | OX_TOUCHEXIT;
// Of those, the ones whose objects answer the left button only.
constexpr unsigned LEFT_ONLY = OX_SELECTABLE | OX_TOUCHEXIT;

TEDINFO *ted_of(const OBJECT &ob) { return (TEDINFO *)_ob_spec(&ob); }

bool can_edit(const OBJECT &ob) { return _field_kind(ob) != FieldKind::NONE; }

bool own_field(const OBJECT &ob) { return _field_kind(ob) == FieldKind::OWN; }

short text_length(const char *text) { return (short)strnlen(text, MAX_LENGTH); }

// 2 when the button that went down goes down again within the double-click
// time, else 1. A key waiting ends the wait and is left for the program.
int count_clicks(short down)
{
    const uint32_t first = (uint32_t)_mevent.time;
    const int span = _dclick_ms();
    _idle_deadline((int32_t)(first + (uint32_t)span));
    for (;;) {
        _idle();
        if (_gemio->keypressed())
            return 1;
        _mouse_event();
        if (_mevent.kinds & down)
            return 2;
        if ((int)((uint32_t)_mevent.time - first) >= span)
            return 1;
    }
}

class Dialog {
public:
    Dialog(OBJECT *tree, int start) : tree_(tree), size_(_tree_size(tree)), shape_(_mshape)
    {
        for (int i = 0; i < size_ && !classic_; i++)
            classic_ = tree_[i].ob_xflags & CLASSIC_FLAGS;
        edit_ = first_edit(start);
        if (edit_)
            objc_edit(tree_, edit_, 0, cursor(), ED_INIT);
        hover_update();
    }

    int run()
    {
        while (result_ < 0) {
            _mouse_event();
            if (_mevent.kinds & 0x80)
                key(_mevent.key);
            if (_mevent.kinds & 0x01)
                hover_update();
            if (_mevent.kinds & (LEFT_DOWN | RIGHT_DOWN))
                press();
            if (result_ < 0)
                _idle();
        }
        finish();
        graf_mouse(shape_, NULL);
        return result_;
    }

private:
    // `start` when it names a field that can be edited, else the tree's
    // first such field, else 0 (no editing).
    short first_edit(int start) const
    {
        if (start > 0 && start < size_ && can_edit(tree_[start]))
            return (short)start;
        for (int i = 0; i < size_; i++)
            if (can_edit(tree_[i]))
                return (short)i;
        return 0;
    }

    // The layer's own fields keep their place in _curpos; a classic field's
    // is the dialog's.
    short *cursor() { return own_field(tree_[edit_]) ? &_curpos : &index_; }

    void draw(short i) { objc_draw(tree_, i, 1, 0, 0, 0, 0); }

    // Hit areas are relative to the innermost saved area; without one, to
    // the screen's corner.
    void hover_update()
    {
        const short ox = _rno >= 0 ? _rxywh[_rno].g_x : 0;
        const short oy = _rno >= 0 ? _rxywh[_rno].g_y : 0;
        short i = 0;
        _narrow(tree_, &i, (short)(_mevent.x - ox), (short)(_mevent.y - oy));
        over_ = i != NIL;
        if (!over_)
            return;
        hover_ = i;
        const bool over_text = _shows_text_cursor(tree_[hover_]);
        if (over_text != text_shape_) {
            graf_mouse(over_text ? TEXT_CRSR : ARROW, NULL);
            text_shape_ = over_text;
        }
    }

    // Moves the cursor from the edit field to field `to`, at its text's end.
    void move_edit(short to)
    {
        if (edit_)
            objc_edit(tree_, edit_, 0, cursor(), ED_END);
        edit_ = to;
        objc_edit(tree_, edit_, 0, cursor(), ED_INIT);
    }

    // Whether the press takes effect on the object last found under the
    // pointer. Objects of the one-byte model take any press, even one off
    // the dialog, as they always have; classic ones only a press on them,
    // and buttons among them only the left one.
    bool reacts(const OBJECT &ob) const
    {
        const unsigned classic = ob.ob_xflags & CLASSIC_FLAGS;
        if (!classic)
            return true;
        return over_ && (!(classic & LEFT_ONLY) || (_mevent.kinds & LEFT_DOWN));
    }

    void press()
    {
        const short at = hover_;
        const OBJECT &ob = tree_[at];
        if (!reacts(ob))
            return;
        const int clicks = (ob.ob_xflags & OX_TOUCHEXIT) ? count_clicks(LEFT_DOWN) : 1;
        short next = 0;
        if (!form_button(tree_, at, clicks, &next))
            result_ = (unsigned short)next;
        if (can_edit(ob) && at != edit_)
            move_edit(at);
        // A watched button polled on its own: find what the pointer is on.
        if (ob.ob_xflags & CLASSIC_FLAGS)
            hover_update();
    }

    bool moves_cursor(short k) const
    {
        return k == TAB || (classic_ && (k == K_UP || k == K_DOWN));
    }

    void key(short k)
    {
        short next = edit_, unused;
        if (k == K_RETURN) {
            if (!form_keybd(tree_, edit_, 0, k, &next, &unused))
                result_ = next;
            return;
        }
        if (!edit_)
            return;
        if (!moves_cursor(k)) {
            objc_edit(tree_, edit_, k, cursor(), ED_CHAR);
            return;
        }
        form_keybd(tree_, edit_, 0, k, &next, &unused);
        const bool own = own_field(tree_[edit_]);
        if (own) {
            // The cursor position is shared with drawing: keep it on the text.
            _obcurse(0);
            _curpos = std::clamp<short>(_curpos, 0, text_length(ted_of(tree_[edit_])->te_ptext));
        }
        if (next != edit_)
            move_edit(next);
        else if (own)
            draw(edit_);
    }

    // The cursor leaves the field: a classic field's is taken away; a field
    // of the layer's own loses its mark and keeps the cursor's picture, as
    // it always has. The object that ended the dialog is left selected,
    // except a touch-exit one, which the press only reports.
    void finish()
    {
        if (edit_ && own_field(tree_[edit_]))
            tree_[edit_].ob_flags &= (unsigned char)~OF_SELECTED;
        else if (edit_)
            objc_edit(tree_, edit_, 0, cursor(), ED_END);
        OBJECT &ended = tree_[result_ & 0x7fff];
        if (!(ended.ob_xflags & OX_TOUCHEXIT))
            ended.ob_flags |= OF_SELECTED;
    }

    OBJECT *tree_;
    const int size_;
    const short shape_;
    bool classic_ = false;
    short edit_ = 0;
    short index_ = 0;
    short hover_ = 0;
    bool over_ = false;
    bool text_shape_ = false;
    int result_ = -1;
};

}  // namespace

char *_tpos(OBJECT *obj, short *maxlen)
{
    obj->ob_flags |= OF_SELECTED;
    const TEDINFO *ted = ted_of(*obj);
    int most = 0;
    if (ted && obj->ob_type == OT_SCROLLTEXT)
        most = ted->te_ptxtlen - 1;
    else if (ted && ted->te_ptmplt)
        most = (int)std::count(ted->te_ptmplt, ted->te_ptmplt + strlen(ted->te_ptmplt), '_');
    *maxlen = (short)std::clamp(most, 0, MAX_EDIT);
    char *text = ted ? ted->te_ptext : NULL;
    _curpos = text ? text_length(text) : 0;
    return text;
}

int form_do(OBJECT *tree, int start)
{
    if (!tree)
        return -1;
    Dialog dialog(tree, start);
    return dialog.run();
}
