// The pieces of a dialog that form_do shares with the calls of a program's
// own dialog loop (form_keybd, form_button, objc_edit): which objects are
// edited and how, the order of the fields, and the links between an object
// and its parent.
#pragma once

#include <vector>

#include "gem/internal.h"

// The parent of `obj` by its sibling chain (the last child's ob_next is the
// parent), or NIL for the root, an index outside the tree or a chain that
// does not come back to a parent.
short _ob_parent(const OBJECT *tree, int obj);

// The children of `parent` in order into `out`. False when its chain leaves
// the tree or loops.
bool _ob_children(const OBJECT *tree, int parent, std::vector<short> &out);
