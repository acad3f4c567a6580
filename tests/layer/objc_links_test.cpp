// objc_add, objc_delete and objc_order: the chains they leave, and every
// change that would give the tree a loop or an object two parents refused
// with the tree untouched.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "objc_trees.h"
#include "support/headless.h"

namespace {

using objc_test::adopt;
using objc_test::finish;
using objc_test::make;

using Chain = std::vector<short>;

// Root 0 with children 1, 2, 3; 3 holds 4. Object 5 holds 6 and is in no
// chain; 7 is alone.
std::vector<OBJECT> sample()
{
    std::vector<OBJECT> tree(8, make(OT_BOX, 0, 0, 10, 10));
    adopt(tree, 0, {1, 2, 3});
    adopt(tree, 3, {4});
    adopt(tree, 5, {6});
    finish(tree);
    return tree;
}

// The children of `parent` by its links, checking that the chain comes
// back to it and that ob_tail names its last child.
Chain children(const std::vector<OBJECT> &tree, int parent)
{
    Chain out;
    for (short c = tree[parent].ob_head; c != NIL && c != parent; c = tree[c].ob_next) {
        out.push_back(c);
        if (out.size() > tree.size())
            return {-99};  // a loop
    }
    EXPECT_EQ(out.empty() ? NIL : out.back(), tree[parent].ob_tail) << "tail of " << parent;
    return out;
}

struct LinkCase {
    const char *name;
    std::function<int(OBJECT *)> call;
    int result;
    int parent;
    Chain chain;  // parent's children after the call
};

TEST(ObjcLinks, RelinkTheChainAsAsked)
{
    headless::start(0);
    const LinkCase cases[] = {
        {"add to the root", [](OBJECT *t) { return objc_add(t, 0, 5); }, 1, 0, {1, 2, 3, 5}},
        {"add beside a child", [](OBJECT *t) { return objc_add(t, 3, 7); }, 1, 3, {4, 7}},
        {"add to a leaf", [](OBJECT *t) { return objc_add(t, 2, 7); }, 1, 2, {7}},
        {"add into a detached subtree", [](OBJECT *t) { return objc_add(t, 6, 7); }, 1, 6, {7}},
        {"delete the middle", [](OBJECT *t) { return objc_delete(t, 2); }, 1, 0, {1, 3}},
        {"delete the head", [](OBJECT *t) { return objc_delete(t, 1); }, 1, 0, {2, 3}},
        {"delete the tail", [](OBJECT *t) { return objc_delete(t, 3); }, 1, 0, {1, 2}},
        {"delete an only child", [](OBJECT *t) { return objc_delete(t, 4); }, 1, 3, {}},
        {"order first", [](OBJECT *t) { return objc_order(t, 3, 0); }, 1, 0, {3, 1, 2}},
        {"order last", [](OBJECT *t) { return objc_order(t, 1, -1); }, 1, 0, {2, 3, 1}},
        {"order after one", [](OBJECT *t) { return objc_order(t, 1, 1); }, 1, 0, {2, 1, 3}},
        {"order past the end", [](OBJECT *t) { return objc_order(t, 1, 9); }, 1, 0, {2, 3, 1}},
        {"order an only child", [](OBJECT *t) { return objc_order(t, 4, 0); }, 1, 3, {4}},
        // Refusals: the chain stays as it was.
        {"add: null tree", [](OBJECT *) { return objc_add(nullptr, 0, 5); }, 0, 0, {1, 2, 3}},
        {"add: bad parent", [](OBJECT *t) { return objc_add(t, -1, 5); }, 0, 0, {1, 2, 3}},
        {"add: past the last", [](OBJECT *t) { return objc_add(t, 0, 8); }, 0, 0, {1, 2, 3}},
        {"add: itself", [](OBJECT *t) { return objc_add(t, 7, 7); }, 0, 7, {}},
        {"add: the root", [](OBJECT *t) { return objc_add(t, 7, 0); }, 0, 7, {}},
        {"add: already in the tree", [](OBJECT *t) { return objc_add(t, 2, 4); }, 0, 2, {}},
        {"add: own ancestor", [](OBJECT *t) { return objc_add(t, 6, 5); }, 0, 6, {}},
        {"delete: the root", [](OBJECT *t) { return objc_delete(t, 0); }, 0, 0, {1, 2, 3}},
        {"delete: null tree", [](OBJECT *) { return objc_delete(nullptr, 1); }, 0, 0, {1, 2, 3}},
        {"delete: past the last", [](OBJECT *t) { return objc_delete(t, 8); }, 0, 0, {1, 2, 3}},
        {"delete: in no chain", [](OBJECT *t) { return objc_delete(t, 7); }, 0, 0, {1, 2, 3}},
        {"order: the root", [](OBJECT *t) { return objc_order(t, 0, 0); }, 0, 0, {1, 2, 3}},
        {"order: below -1", [](OBJECT *t) { return objc_order(t, 2, -2); }, 0, 0, {1, 2, 3}},
        {"order: in no chain", [](OBJECT *t) { return objc_order(t, 7, 0); }, 0, 0, {1, 2, 3}},
        {"order: null tree", [](OBJECT *) { return objc_order(nullptr, 1, 0); }, 0, 0, {1, 2, 3}},
    };
    for (const LinkCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<OBJECT> tree = sample();
        const std::vector<OBJECT> before = tree;
        EXPECT_EQ(c.result, c.call(tree.data()));
        EXPECT_EQ(c.chain, children(tree, c.parent));
        if (c.result == 0) {
            EXPECT_EQ(0, memcmp(before.data(), tree.data(), sizeof(OBJECT) * tree.size()));
        }
    }
}

TEST(ObjcLinks, ADeletedSubtreeLeavesTheTreeAndCanBeAddedBack)
{
    headless::start(0);
    std::vector<OBJECT> tree = sample();
    ASSERT_EQ(1, objc_delete(tree.data(), 3));
    short x, y;
    EXPECT_EQ(0, objc_offset(tree.data(), 4, &x, &y)) << "its subtree left with it";
    EXPECT_EQ(0, objc_delete(tree.data(), 3)) << "deleted twice";
    ASSERT_EQ(1, objc_add(tree.data(), 1, 3));
    EXPECT_EQ((Chain{3}), children(tree, 1));
    EXPECT_EQ((Chain{4}), children(tree, 3));
    EXPECT_EQ(1, objc_offset(tree.data(), 4, &x, &y));
}

TEST(ObjcLinks, DamagedChainsAreRefusedNotFollowed)
{
    headless::start(0);
    std::vector<OBJECT> loop = sample();
    loop[3].ob_next = 1;  // 1 -> 2 -> 3 -> 1 ...
    EXPECT_EQ(0, objc_add(loop.data(), 0, 7));
    EXPECT_EQ(0, objc_delete(loop.data(), 2));
    EXPECT_EQ(0, objc_order(loop.data(), 2, 0));

    std::vector<OBJECT> outside = sample();
    outside[2].ob_next = 40;  // off the array
    EXPECT_EQ(0, objc_add(outside.data(), 0, 7));
    EXPECT_EQ(0, objc_delete(outside.data(), 1));
}

}  // namespace
