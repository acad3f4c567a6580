// Classic object trees and the layer's model: each classic tree the
// profile is handed gets a twin, a tree of the layer's OBJECTs kept for as
// long as the program runs, at one address while the tree keeps its length
// (so the layer may hold on to it, as menu_bar does).
//
// Every call on a classic tree rebuilds the twin from it (in), lets the
// layer work on the twin, and writes back what the layer changed (out):
// links, positions, sizes, flags and states. Only fields the layer changed
// are written, so a program's own changes to a tree between calls are
// never undone by an out.
#pragma once

#include "gem/classic/internal.h"

// The longest classic tree taken: more objects before the one marked
// LASTOB, or no such object, and the tree is refused.
constexpr int GEMC_MAX_TREE = 4096;

// The twin of `tree`, rebuilt from it; null for a null tree or one the
// profile refuses.
OBJECT *_gemc_tree_in(GEMC_OBJECT *tree);

// What the layer changed in the twin of `tree` since its last in or out,
// written to the classic tree.
void _gemc_tree_out(GEMC_OBJECT *tree);

// _gemc_tree_out for every twin: after calls in which the layer changes a
// tree it holds (the menu's states during events).
void _gemc_trees_out();

// _gemc_tree_in for the twins the layer holds (the menu bar's): before
// such calls, so the layer sees what the program changed in them since.
void _gemc_trees_in();

// Forgets the twins of the trees in [begin, end): for memory the program or
// the profile frees (a resource's trees). The bar of a forgotten menu tree is
// taken away.
void _gemc_trees_forget(const void *begin, const void *end);

// Objects of a classic tree: up to and including the first marked LASTOB;
// 0 when there is none among the first GEMC_MAX_TREE.
int _gemc_tree_length(const GEMC_OBJECT *tree);

// A layer call on the twin of `tree`, with the tree in before it and out
// after it; `refused` when the tree is null or refused.
template <class Call>
int _gemc_with_tree(GEMC_OBJECT *tree, int refused, Call call)
{
    OBJECT *twin = _gemc_tree_in(tree);
    if (!twin)
        return refused;
    const int result = call(twin);
    _gemc_tree_out(tree);
    return result;
}
