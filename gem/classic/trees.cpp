// Classic object trees to the layer's model and back. The layer keeps
// selected, checked and disabled among its one-byte flags and the other
// classic flags and states at their classic positions (OX_*, OS_*), so most
// of the translation is moving bits; ob_spec takes more: a box's colour word
// becomes the layer's colours, fill look and frame thickness, and a classic
// TEDINFO or USERBLK becomes one of the layer's, kept in the twin.
#include "gem/classic/trees.h"

#include <cstddef>
#include <iterator>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

// Classic object flags that the layer holds in ob_flags, and INDIRECT,
// which the twin resolves; every other classic flag is an OX_* bit at the
// same position.
constexpr unsigned C_DEFAULT = 0x0002, C_EXIT = 0x0004, C_LASTOB = 0x0020, C_HIDETREE = 0x0080,
                   C_INDIRECT = 0x0100;
constexpr unsigned NOT_XFLAGS = C_DEFAULT | C_EXIT | C_LASTOB | C_HIDETREE | C_INDIRECT;

struct FlagBit {
    unsigned classic;
    unsigned char layer;
};
constexpr FlagBit IN_OB_FLAGS[] = {
    {C_DEFAULT, OF_DEFAULT}, {C_EXIT, OF_EXIT}, {C_LASTOB, OF_LASTOB}, {C_HIDETREE, OF_HIDDEN}};

// Classic types.
enum : int {
    G_BOX = 20,
    G_TEXT,
    G_BOXTEXT,
    G_IMAGE,
    G_USERDEF,
    G_IBOX,
    G_BUTTON,
    G_BOXCHAR,
    G_STRING,
    G_FTEXT,
    G_FBOXTEXT,
    G_ICON,
    G_TITLE
};

constexpr int WHITE = 0, BLACK = 1;
constexpr int SYSTEM_FONT = 0, SMALL_FONT = 2;  // the layer's 8x8 and 6x6 fonts
constexpr int C_SMALL = 5;                      // te_font of the small font
constexpr int SOLID_PATTERN = 7;

static_assert(sizeof(GEMC_ICONBLK) == sizeof(ICONBLK) &&
                  offsetof(GEMC_ICONBLK, ib_htext) == offsetof(ICONBLK, ib_htext),
              "classic icons are read as the layer's");
static_assert(sizeof(GEMC_BITBLK) == sizeof(BITBLK) &&
                  offsetof(GEMC_BITBLK, bi_color) == offsetof(BITBLK, bi_color),
              "classic images are read as the layer's");

// What a classic user-drawn object's routine needs when the layer calls
// the twin's: the classic tree and the classic USERBLK.
struct UserHook {
    GEMC_OBJECT *tree;
    const GEMC_USERBLK *block;
};

struct Twin {
    std::vector<OBJECT> objects;
    std::vector<OBJECT> as_synced;  // the objects as the last in or out left them
    std::vector<TEDINFO> teds;      // one slot per object
    std::vector<USERBLK> users;
    std::vector<UserHook> hooks;
};

std::unordered_map<GEMC_OBJECT *, std::unique_ptr<Twin>> &twins()
{
    static std::unordered_map<GEMC_OBJECT *, std::unique_ptr<Twin>> all;
    return all;
}

int user_trampoline(PARMBLK *pb)
{
    const UserHook *hook = (const UserHook *)pb->pb_parm;
    if (!hook || !hook->block || !hook->block->ub_code)
        return 0;
    GEMC_PARMBLK classic = {hook->tree,
                            pb->pb_obj,
                            pb->pb_prevstate,
                            pb->pb_currstate,
                            pb->pb_x,
                            pb->pb_y,
                            pb->pb_w,
                            pb->pb_h,
                            pb->pb_xc,
                            pb->pb_yc,
                            pb->pb_wc,
                            pb->pb_hc,
                            hook->block->ub_parm};
    const auto routine = (int (*)(GEMC_PARMBLK *))hook->block->ub_code;
    return routine(&classic);
}

// ---- colour words

// A classic colour word (frame colour in bits 12-15, text colour 8-11,
// opaque text bit 7, fill pattern 4-6, interior colour 0-3) as the layer's
// colours and look. The fill always covers what lies below: pattern 0
// (hollow) is the background colour, as a dialog's usual 0x1100 root shows
// white over the screen; the text bit says how text goes over that fill.
void colour_word_in(unsigned word, OBJECT &o)
{
    const int frame = word >> 12 & 15, text = word >> 8 & 15, pattern = word >> 4 & 7;
    const int interior = word & 15;
    const bool opaque = word & 0x80;
    o.ob_colbyte = (unsigned char)(frame << 4 | text);
    o.ob_fill = (unsigned char)(pattern == 0 ? WHITE : interior);
    unsigned char look = opaque ? 0 : OL_TRANSPARENT;
    if (pattern != 0 && pattern != SOLID_PATTERN)
        look |= (unsigned char)(OL_HOLLOW - pattern);  // the dither of that density
    o.ob_look = look;
}

// Strings, titles, buttons and user-drawn objects: black on white, as the
// classic drawing has them.
void plain_colours(OBJECT &o)
{
    o.ob_colbyte = BLACK << 4 | BLACK;
    o.ob_fill = WHITE;
    o.ob_look = 0;
}

// ---- ob_spec by type

// G_BOX, G_IBOX, G_BOXCHAR: character, frame size and colour word.
void box_in(long spec, int layer_type, OBJECT &o)
{
    const unsigned long word = (unsigned long)spec;
    o.ob_type = (unsigned char)layer_type;
    colour_word_in((unsigned)(word & 0xffff), o);
    o.ob_thick = (signed char)(word >> 16 & 0xff);
    o.ob_spec = (long)(word >> 24 & 0xff);
}

// The layer's one validation character for a field: digits when every
// position of the classic string asks for a digit, else any character.
short validation_of(const char *valid)
{
    if (!valid || !*valid)
        return 'X';
    for (const char *v = valid; *v; v++)
        if (*v != '9')
            return 'X';
    return '9';
}

void text_in(Twin &twin, int i, const GEMC_TEDINFO *ct, int type, OBJECT &o)
{
    if (!ct) {
        o.ob_type = OT_IBOX;  // nothing to draw
        return;
    }
    TEDINFO &t = twin.teds[(size_t)i];
    t.te_ptext = ct->te_ptext;
    t.te_ptmplt = ct->te_ptmplt;
    t.te_pvalid = validation_of(ct->te_pvalid);
    t.te_ptxtlen = ct->te_txtlen;
    o.ob_spec = (long)&t;
    o.ob_font = (unsigned char)(ct->te_font == C_SMALL ? SMALL_FONT : SYSTEM_FONT);
    o.ob_just =
        (unsigned char)(ct->te_just >= TE_LEFT && ct->te_just <= TE_CNTR ? ct->te_just : TE_LEFT);
    colour_word_in((unsigned short)ct->te_color, o);
    const signed char thickness = (signed char)ct->te_thickness;
    switch (type) {
    case G_TEXT: o.ob_type = OT_TEXT; break;
    case G_BOXTEXT:
        // The layer frames every OT_BOXTEXT; one without a frame is an OT_TEXT.
        o.ob_type = thickness ? OT_BOXTEXT : OT_TEXT;
        o.ob_thick = thickness;
        break;
    case G_FTEXT: o.ob_type = OT_FTEXT; break;
    default:
        o.ob_type = OT_FBOXTEXT;
        o.ob_thick = thickness;
        o.ob_border = 1;  // with no thickness: one pixel on the edge
        break;
    }
}

void user_in(Twin &twin, int i, GEMC_OBJECT *tree, long spec, OBJECT &o)
{
    UserHook &hook = twin.hooks[(size_t)i];
    hook = {tree, (const GEMC_USERBLK *)spec};
    twin.users[(size_t)i] = {user_trampoline, (long)&hook};
    o.ob_type = OT_USERDEF;
    o.ob_spec = (long)&twin.users[(size_t)i];
    plain_colours(o);
}

void spec_in(Twin &twin, int i, GEMC_OBJECT *tree, long spec, OBJECT &o)
{
    const GEMC_OBJECT &c = tree[i];
    const int type = c.ob_type & 0xff;
    switch (type) {
    case G_BOX: box_in(spec, OT_BOX, o); break;
    case G_IBOX: box_in(spec, OT_IBOX, o); break;
    case G_BOXCHAR: box_in(spec, OT_BOXCHAR, o); break;
    case G_TEXT:
    case G_BOXTEXT:
    case G_FTEXT:
    case G_FBOXTEXT: text_in(twin, i, (const GEMC_TEDINFO *)spec, type, o); break;
    case G_IMAGE:
    case G_ICON:
        o.ob_type = type == G_ICON ? OT_ICON : OT_IMAGE;
        o.ob_spec = spec;  // the records have the layer's layout
        plain_colours(o);
        break;
    case G_USERDEF: user_in(twin, i, tree, spec, o); break;
    case G_BUTTON:
    case G_STRING:
    case G_TITLE:
        o.ob_type = (unsigned char)(type == G_BUTTON   ? OT_BUTTON
                                    : type == G_STRING ? OT_STRING
                                                       : OT_TITLE);
        o.ob_spec = spec;
        plain_colours(o);
        break;
    default: o.ob_type = OT_IBOX; break;  // a type the layer has no drawing for
    }
}

// ---- one object

unsigned classic_flags_of(const OBJECT &o)
{
    unsigned flags = o.ob_xflags & ~NOT_XFLAGS & 0xffffu;
    for (const FlagBit &b : IN_OB_FLAGS)
        if (o.ob_flags & b.layer)
            flags |= b.classic;
    return flags;
}

// The classic value the object's ob_spec stands for: INDIRECT resolved.
long resolved_spec(const GEMC_OBJECT &c)
{
    if (!(c.ob_flags & C_INDIRECT))
        return c.ob_spec;
    const long *real = (const long *)c.ob_spec;
    return real ? *real : 0;
}

OBJECT object_in(Twin &twin, GEMC_OBJECT *tree, int i)
{
    const GEMC_OBJECT &c = tree[i];
    OBJECT o{};
    o.ob_next = c.ob_next;
    o.ob_head = c.ob_head;
    o.ob_tail = c.ob_tail;
    o.ob_xtype = (unsigned char)(c.ob_type >> 8);
    o.ob_xflags = (unsigned short)(c.ob_flags & ~NOT_XFLAGS);
    for (const FlagBit &b : IN_OB_FLAGS)
        if (c.ob_flags & b.classic)
            o.ob_flags |= b.layer;
    _ob_set_state(&o, c.ob_state);
    o.ob_x = c.ob_x;
    o.ob_y = c.ob_y;
    o.ob_width = c.ob_width;
    o.ob_height = c.ob_height;
    o.ob_font = SYSTEM_FONT;
    spec_in(twin, i, tree, resolved_spec(c), o);
    return o;
}

// A 16-bit field written where the layer changed it.
template <class T>
void merge(T &classic, T twin, T before)
{
    if (twin != before)
        classic = twin;
}

// Bits of a word written where the layer changed them.
unsigned short merge_bits(unsigned short classic, unsigned twin, unsigned before)
{
    const unsigned changed = (twin ^ before) & 0xffffu;
    return (unsigned short)((classic & ~changed) | (twin & changed));
}

void object_out(const OBJECT &o, const OBJECT &before, GEMC_OBJECT &c)
{
    merge(c.ob_next, o.ob_next, before.ob_next);
    merge(c.ob_head, o.ob_head, before.ob_head);
    merge(c.ob_tail, o.ob_tail, before.ob_tail);
    merge(c.ob_x, o.ob_x, before.ob_x);
    merge(c.ob_y, o.ob_y, before.ob_y);
    merge(c.ob_width, o.ob_width, before.ob_width);
    merge(c.ob_height, o.ob_height, before.ob_height);
    c.ob_flags = merge_bits(c.ob_flags, classic_flags_of(o), classic_flags_of(before));
    c.ob_state = merge_bits(c.ob_state, (unsigned)_ob_state(&o), (unsigned)_ob_state(&before));
}

// The layer may hold the menu's twin: it follows the twin when a longer
// tree moves it.
void moved(const OBJECT *from, OBJECT *to)
{
    if (from && from != to && _menu == from)
        _menu = to;
}

OBJECT *rebuild(GEMC_OBJECT *tree, Twin &twin, int length)
{
    const OBJECT *before = twin.objects.empty() ? nullptr : twin.objects.data();
    const size_t n = (size_t)length;
    twin.objects.resize(n);
    twin.teds.resize(n);
    twin.users.resize(n);
    twin.hooks.resize(n);
    for (int i = 0; i < length; i++)
        twin.objects[(size_t)i] = object_in(twin, tree, i);
    twin.as_synced = twin.objects;
    moved(before, twin.objects.data());
    return twin.objects.data();
}

bool changed(const OBJECT &o, const OBJECT &before)
{
    return o.ob_next != before.ob_next || o.ob_head != before.ob_head ||
           o.ob_tail != before.ob_tail || o.ob_x != before.ob_x || o.ob_y != before.ob_y ||
           o.ob_width != before.ob_width || o.ob_height != before.ob_height ||
           o.ob_flags != before.ob_flags || o.ob_xflags != before.ob_xflags ||
           o.ob_xstate != before.ob_xstate;
}

// Only objects the layer changed are touched: a tree the program has
// since freed is never written while its twin is left alone.
void write_back(GEMC_OBJECT *tree, Twin &twin)
{
    for (size_t i = 0; i < twin.objects.size(); i++)
        if (changed(twin.objects[i], twin.as_synced[i]))
            object_out(twin.objects[i], twin.as_synced[i], tree[i]);
    twin.as_synced = twin.objects;
}

}  // namespace

int _gemc_tree_length(const GEMC_OBJECT *tree)
{
    if (!tree)
        return 0;
    for (int i = 0; i < GEMC_MAX_TREE; i++)
        if (tree[i].ob_flags & C_LASTOB)
            return i + 1;
    return 0;
}

OBJECT *_gemc_tree_in(GEMC_OBJECT *tree)
{
    const int length = _gemc_tree_length(tree);
    if (!length)
        return nullptr;
    std::unique_ptr<Twin> &twin = twins()[tree];
    if (!twin)
        twin = std::make_unique<Twin>();
    return rebuild(tree, *twin, length);
}

void _gemc_tree_out(GEMC_OBJECT *tree)
{
    const auto found = twins().find(tree);
    if (found != twins().end())
        write_back(tree, *found->second);
}

void _gemc_trees_out()
{
    for (auto &entry : twins())
        write_back(entry.first, *entry.second);
}

void _gemc_trees_in()
{
    for (auto &entry : twins()) {
        Twin &twin = *entry.second;
        if (!_menu || twin.objects.empty() || twin.objects.data() != _menu)
            continue;
        const int length = _gemc_tree_length(entry.first);
        if (length)
            rebuild(entry.first, twin, length);
    }
}

void _gemc_trees_forget(const void *begin, const void *end)
{
    const char *from = (const char *)begin, *to = (const char *)end;
    for (auto at = twins().begin(); at != twins().end();) {
        const char *tree = (const char *)at->first;
        const bool inside = tree >= from && tree < to;
        if (inside && !at->second->objects.empty() && at->second->objects.data() == _menu)
            menu_bar(_menu, 0);  // the bar's tree is gone: the bar goes with it
        at = inside ? twins().erase(at) : std::next(at);
    }
}
