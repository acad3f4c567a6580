// The pieces of a dialog that form_do shares with the calls of a program's
// own dialog loop (form_keybd, form_button, objc_edit): which objects are
// edited and how, the order of the fields, the default object, and the
// links between an object and its parent.
#pragma once

#include <vector>

#include "gem/internal.h"

// How a field's text is edited. The layer's own fields (OT_EDTEXT,
// OT_SCROLLTEXT) hold the cursor by OF_SELECTED at _curpos, and drawing
// them draws it. Classic formatted fields (OT_FTEXT, OT_FBOXTEXT with
// OX_EDITABLE) get a vertical XOR line that objc_edit draws itself.
enum class FieldKind { NONE, OWN, CLASSIC };

// NONE for an object that is no field, or a field without a TEDINFO or a
// text to edit.
FieldKind _field_kind(const OBJECT &ob);

// The pointer shows the text cursor over this object.
bool _shows_text_cursor(const OBJECT &ob);

// Applies one layer key code to `text` as the dialog loop edits it, with
// the cursor at *pos (kept on the text): backspace and delete take the
// character before the cursor, the arrows move it, Esc empties the text,
// and a character that `valid` accepts goes in at the cursor while the
// text holds fewer than `maxlen` (see the rules at place()). Tab, Return
// and keys without a character change nothing.
void _edit_text(char *text, short maxlen, short valid, int key, short *pos);

// Number of objects in the tree: up to the one marked OF_LASTOB, and never
// past the array the layer built for a resource tree.
int _tree_size(const OBJECT *tree);

// The next (step 1) or previous (step -1) shown field after `from`,
// wrapping from the tree's last object to index 1 and back; 0 when a whole
// round finds none. A `from` outside the tree counts as 0.
short _next_field(const OBJECT *tree, int size, int from, int step);

// The parent of `obj` by its sibling chain (the last child's ob_next is the
// parent), or NIL for the root, an index outside the tree or a chain that
// does not come back to a parent.
short _ob_parent(const OBJECT *tree, int obj);

// The children of `parent` in order into `out`. False when its chain leaves
// the tree or loops.
bool _ob_children(const OBJECT *tree, int parent, std::vector<short> &out);
