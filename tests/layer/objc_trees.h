// Building small object trees in tests.
#pragma once

#include <initializer_list>
#include <vector>

#include "gem/internal.h"

namespace objc_test {

// An object with no links yet; the colours default to text 1, frame 1.
inline OBJECT make(int type, int x, int y, int w, int h, int flags = 0, long obspec = 0)
{
    OBJECT o{};
    o.ob_next = o.ob_head = o.ob_tail = NIL;
    o.ob_type = (unsigned char)type;
    o.ob_flags = (unsigned char)flags;
    o.ob_colbyte = 0x11;
    o.ob_spec = obspec;
    o.ob_x = (short)x;
    o.ob_y = (short)y;
    o.ob_width = (short)w;
    o.ob_height = (short)h;
    return o;
}

// Makes `children` the children of `parent`, in this order.
inline void adopt(std::vector<OBJECT> &tree, int parent, std::initializer_list<int> children)
{
    int prev = NIL;
    for (int c : children) {
        if (prev == NIL)
            tree[parent].ob_head = (short)c;
        else
            tree[prev].ob_next = (short)c;
        prev = c;
    }
    tree[prev].ob_next = (short)parent;
    tree[parent].ob_tail = (short)prev;
}

// Marks the last object of the array.
inline void finish(std::vector<OBJECT> &tree) { tree.back().ob_flags |= OF_LASTOB; }

}  // namespace objc_test
