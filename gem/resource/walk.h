// Bounds for walks over object trees (search, hit test, drawing).
//
// A tree's links (ob_next, ob_head) come from resource files and from
// applications, and nothing forces them to be sound. Every walk therefore
// carries a TreeGuard: it accepts only indices that lie in the tree's object
// array and stops a walk that visits more objects than the array holds,
// which only a loop in the links can cause. Sound trees walk exactly as
// their links say.
#pragma once

#include "gem/internal.h"

// Number of objects from `tree` to the end of the object array that the
// layer built for an installed resource, or -1 when `tree` does not lie in
// such an array (an application's own tree).
int _rsrc_room(const OBJECT *tree);

class TreeGuard {
public:
    // Indices are 16-bit: no array is longer than this.
    static constexpr int MAX_OBJECTS = 32767;
    // Deeper nesting than this is taken for a loop in the links.
    static constexpr int MAX_NESTING = 100;

    explicit TreeGuard(const OBJECT *tree) : tree_(tree)
    {
        const int room = _rsrc_room(tree);
        limit_ = room >= 0 ? room : MAX_OBJECTS;
    }

    // True when `index` names an object of the tree: not negative, inside the
    // array the layer built (for a resource tree) and not beyond the object
    // marked OF_LASTOB, the last of the tree's array. Only objects before
    // `index` are read to find that out.
    bool valid(int index)
    {
        if (index < 0 || index >= limit_)
            return false;
        while (scanned_ < index) {
            if (tree_[scanned_].ob_flags & OF_LASTOB) {
                limit_ = scanned_ + 1;
                break;
            }
            scanned_++;
        }
        return index < limit_;
    }

    // Counts one more object visited; false once a walk has visited more
    // objects than the tree has, or nests deeper than MAX_NESTING. From then
    // on the walk is over: exhausted() stays true.
    bool visit(int nesting)
    {
        if (++visits_ > limit_ || nesting >= MAX_NESTING)
            exhausted_ = true;
        return !exhausted_;
    }

    bool exhausted() const { return exhausted_; }

private:
    const OBJECT *tree_;
    int limit_;
    int scanned_ = 0;
    int visits_ = 0;
    bool exhausted_ = false;
};
