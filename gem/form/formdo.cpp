// The dialog loop: form_do runs a dialog that is already on the screen. It
// polls input, edits the text of one editable field at a time, switches the
// pointer to the text cursor over editable fields, and returns the index of
// the object that ended the dialog. _tpos prepares a field for editing.
#include <ctype.h>
#include <string.h>

#include <algorithm>

#include "gem/internal.h"
#include "gem/resource/walk.h"

namespace {

// Edit texts hold at most this many characters, whatever a template or a
// buffer size says.
constexpr int MAX_EDIT = 255;
// Text lengths are counted in 16 bits, like the cursor position.
constexpr size_t MAX_LENGTH = 32767;

constexpr short KEY_TAB = 9, KEY_ESC = 27;

bool editable_type(const OBJECT &ob)
{
    return ob.ob_type == OT_EDTEXT || ob.ob_type == OT_SCROLLTEXT;
}

TEDINFO *ted_of(const OBJECT &ob) { return (TEDINFO *)ob.ob_spec; }

// A field the loop can edit: an editable type with a text to edit.
bool can_edit(const OBJECT &ob) { return editable_type(ob) && ted_of(ob) && ted_of(ob)->te_ptext; }

short text_length(const char *text) { return (short)strnlen(text, MAX_LENGTH); }

// Number of objects in the tree: up to the one marked OF_LASTOB, and never
// past the array the layer built for a resource tree.
int tree_size(const OBJECT *tree)
{
    const int room = _rsrc_room(tree);
    const int limit = room >= 0 ? room : TreeGuard::MAX_OBJECTS;
    for (int i = 0; i < limit; i++)
        if (tree[i].ob_flags & OF_LASTOB)
            return i + 1;
    return limit;
}

bool accepts(short valid, int c)
{
    switch (valid) {
    case '9': return isdigit(c) || (c == '-' && _curpos == 0);
    case 'A': return isxdigit(c);
    default: return true;
    }
}

class Dialog {
public:
    Dialog(OBJECT *tree, int start) : tree_(tree), size_(tree_size(tree)), shape_(_mshape)
    {
        edit_ = first_edit(start);
        if (edit_) {
            text_ = _tpos(&tree_[edit_], &maxlen_);
            draw(edit_);
        }
        for (int i = 0; i < size_; i++)
            if (tree_[i].ob_flags & OF_DEFAULT) {
                default_ = (short)i;
                break;
            }
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
            if (_mevent.kinds & (0x02 | 0x08))
                press();
            if (result_ < 0)
                _idle();
        }
        if (edit_)
            tree_[edit_].ob_flags &= (unsigned char)~OF_SELECTED;
        tree_[result_].ob_flags |= OF_SELECTED;
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

    void draw(short i) { objc_draw(tree_, i, 1, 0, 0, 0, 0); }

    // Hit areas are relative to the innermost saved area; without one, to
    // the screen's corner.
    void hover_update()
    {
        const short ox = _rno >= 0 ? _rxywh[_rno].g_x : 0;
        const short oy = _rno >= 0 ? _rxywh[_rno].g_y : 0;
        short i = 0;
        _narrow(tree_, &i, (short)(_mevent.x - ox), (short)(_mevent.y - oy));
        if (i == NIL)
            return;
        hover_ = i;
        const bool over_text = editable_type(tree_[hover_]);
        if (over_text != text_shape_) {
            graf_mouse(over_text ? TEXT_CRSR : ARROW, NULL);
            text_shape_ = over_text;
        }
    }

    // Moves the cursor from the edit field to field `to`, at its text's end.
    void move_edit(short to)
    {
        if (edit_) {
            tree_[edit_].ob_flags &= (unsigned char)~OF_SELECTED;
            _obcurse(0);
            draw(edit_);
        }
        edit_ = to;
        text_ = _tpos(&tree_[edit_], &maxlen_);
    }

    void press()
    {
        if (tree_[hover_].ob_flags & OF_EXIT)
            result_ = hover_;
        if (can_edit(tree_[hover_]) && hover_ != edit_) {
            move_edit(hover_);
            draw(edit_);
        }
    }

    // The next shown field after the edit field, wrapping to index 1 after
    // the tree's last object; 0 when a whole round finds none.
    short next_field() const
    {
        int i = edit_;
        for (int steps = 0; steps < size_; steps++) {
            i = (tree_[i].ob_flags & OF_LASTOB) || i + 1 >= size_ ? 1 : i + 1;
            if (can_edit(tree_[i]) && !(tree_[i].ob_flags & OF_HIDDEN))
                return (short)i;
        }
        return 0;
    }

    void key(short k)
    {
        if (k == K_RETURN) {
            if (default_ >= 0)
                result_ = default_;
            return;
        }
        if (!edit_)
            return;
        _obcurse(0);
        // The cursor position is shared with drawing: keep it on the text.
        const short length = text_length(text_);
        _curpos = std::max<short>(0, std::min(_curpos, length));
        switch (k) {
        case K_BACKSPACE:
        case K_DELETE:
            if (_curpos > 0) {
                memmove(text_ + _curpos - 1, text_ + _curpos, (size_t)(length - _curpos + 1));
                _curpos--;
            }
            break;
        case KEY_TAB: {
            const short next = next_field();
            if (next && next != edit_)
                move_edit(next);
            break;
        }
        case K_LEFT:
            if (_curpos > 0)
                _curpos--;
            break;
        case K_RIGHT:
            if (_curpos < length)
                _curpos++;
            break;
        case KEY_ESC:
            text_[0] = '\0';
            _curpos = 0;
            break;
        default:
            if (k > 0 && k <= 255 && accepts(ted_of(tree_[edit_])->te_pvalid, k))
                place((char)k, length);
            break;
        }
        draw(edit_);
    }

    // Inserts c at the cursor while the field has room; a full field drops
    // its last character to make room, and a cursor at the field's end
    // overwrites the character before it.
    void place(char c, short length)
    {
        if (maxlen_ == 0)
            return;
        if (_curpos < maxlen_ && _curpos == length) {
            text_[length] = c;
            text_[length + 1] = '\0';
            _curpos++;
        } else if (_curpos < maxlen_) {
            if (length >= maxlen_)
                text_[--length] = '\0';
            memmove(text_ + _curpos + 1, text_ + _curpos, (size_t)(length - _curpos + 1));
            text_[_curpos++] = c;
        } else {
            text_[_curpos - 1] = c;
        }
    }

    OBJECT *tree_;
    const int size_;
    const short shape_;
    short edit_ = 0;
    char *text_ = nullptr;
    short maxlen_ = 0;
    short default_ = -1;
    short hover_ = 0;
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
