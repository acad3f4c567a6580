// Changing a tree's shape: objc_add, objc_delete and objc_order relink
// objects in their parent's chain of children; the array stays as it is.
// Each reads the chain it changes whole first and writes it back whole, and
// refuses whatever would leave the tree with a loop or an object with two
// parents.
#include <algorithm>
#include <cstddef>
#include <vector>

#include "gem/form/dialog.h"
#include "gem/resource/walk.h"

namespace {

// The children of `parent` as the new chain: head, each ob_next, the last
// child's ob_next back to the parent, and the tail.
void write_children(OBJECT *tree, short parent, const std::vector<short> &children)
{
    OBJECT &p = tree[parent];
    p.ob_head = children.empty() ? (short)NIL : children.front();
    p.ob_tail = children.empty() ? (short)NIL : children.back();
    for (size_t i = 0; i < children.size(); i++)
        tree[children[i]].ob_next = i + 1 < children.size() ? children[i + 1] : parent;
}

// True when `target` lies in the subtree of `from` (from itself included).
// A walk that meets a bad link or a loop answers true: nothing may be built
// on links that cannot be followed.
bool in_subtree(TreeGuard &guard, const OBJECT *tree, short from, short target, int nesting)
{
    if (!guard.valid(from) || !guard.visit(nesting))
        return true;
    if (from == target)
        return true;
    const short head = tree[from].ob_head;
    for (short c = head; head != NIL && c != from; c = tree[c].ob_next) {
        if (!guard.valid(c) || guard.exhausted())
            return true;
        if (in_subtree(guard, tree, c, target, nesting + 1))
            return true;
    }
    return false;
}

bool contains(const OBJECT *tree, short from, short target)
{
    TreeGuard guard(tree);
    return in_subtree(guard, tree, from, target, 0);
}

// The parent of a linked object and its siblings, obj among them; false
// for the root and for an object its parent's chain does not hold.
bool family(const OBJECT *tree, int obj, short *parent, std::vector<short> &children)
{
    *parent = _ob_parent(tree, obj);
    return *parent != NIL && _ob_children(tree, *parent, children) &&
           std::find(children.begin(), children.end(), obj) != children.end();
}

}  // namespace

bool _ob_children(const OBJECT *tree, int parent, std::vector<short> &out)
{
    out.clear();
    TreeGuard guard(tree);
    if (!guard.valid(parent))
        return false;
    // No children, or a chain that comes back to the parent; an end
    // anywhere else is a bad link.
    const short head = tree[parent].ob_head;
    for (short c = head; head != NIL && c != parent; c = tree[c].ob_next) {
        if (!guard.valid(c) || !guard.visit(0))
            return false;
        out.push_back(c);
    }
    return true;
}

short _ob_parent(const OBJECT *tree, int obj)
{
    if (!tree || obj <= 0)
        return NIL;
    TreeGuard guard(tree);
    if (!guard.valid(obj))
        return NIL;
    short before = (short)obj;
    for (short c = tree[obj].ob_next; guard.valid(c) && guard.visit(0); c = tree[c].ob_next) {
        if (tree[c].ob_tail == before)
            return c;
        before = c;
    }
    return NIL;
}

int objc_add(OBJECT *tree, int parent, int child)
{
    if (!tree)
        return 0;
    TreeGuard guard(tree);
    if (!guard.valid(parent) || !guard.valid(child) || child == 0)
        return 0;
    // A child already in the tree would get a second parent; a parent in
    // the child's own subtree would close a loop.
    if (contains(tree, 0, (short)child) || contains(tree, (short)child, (short)parent))
        return 0;
    std::vector<short> children;
    if (!_ob_children(tree, parent, children))
        return 0;
    children.push_back((short)child);
    write_children(tree, (short)parent, children);
    return 1;
}

int objc_delete(OBJECT *tree, int obj)
{
    short parent;
    std::vector<short> children;
    if (!tree || !family(tree, obj, &parent, children))
        return 0;
    children.erase(std::find(children.begin(), children.end(), obj));
    write_children(tree, parent, children);
    tree[obj].ob_next = NIL;
    return 1;
}

int objc_order(OBJECT *tree, int obj, int position)
{
    short parent;
    std::vector<short> children;
    if (!tree || position < -1 || !family(tree, obj, &parent, children))
        return 0;
    children.erase(std::find(children.begin(), children.end(), obj));
    const size_t at =
        position == -1 ? children.size() : std::min(children.size(), (size_t)position);
    children.insert(children.begin() + (std::ptrdiff_t)at, (short)obj);
    write_children(tree, parent, children);
    return 1;
}
