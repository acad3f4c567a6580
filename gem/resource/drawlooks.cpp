// How objects look beyond their type: frames of any thickness (ob_thick and
// buttons), fill dithers and transparent text (ob_look), and the outlined,
// shadowed and crossed states. The 3D flags and states (OX_FL3DIND,
// OX_FL3DBAK, OS_DRAW3D, OS_WHITEBAK) are kept and drawn flat.
#include <cstdlib>

#include <algorithm>

#include "gem/resource/draw.h"

namespace objdraw {

namespace {

constexpr int OUTLINE_GAP = 2;  // white pixels between an object and its outline
constexpr int MIN_SHADOW = 2;
constexpr int WHITE = 0;

// A one-pixel rectangle through the corners, in the line colour. Lines
// are not held by the VDI clip: frames outside an object are drawn.
void ring(int x1, int y1, int x2, int y2)
{
    const short a = clamp16(x1), b = clamp16(y1), c = clamp16(x2), d = clamp16(y2);
    const short pxy[10] = {a, b, c, b, c, d, a, d, a, b};
    v_pline(handle, 5, pxy);
}

// Every pixel of a rectangle in `colour`, outside the object's clip too;
// the clip and the fill colour are put back.
void paint(int x1, int y1, int x2, int y2, int colour)
{
    const short old_clip[4] = {_clipx1, _clipy1, _clipx2, _clipy2};
    const short old_fill = _fillcol;
    const short pxy[4] = {clamp16(x1), clamp16(y1), clamp16(x2), clamp16(y2)};
    vs_clip(handle, 1, pxy);
    vsf_color(handle, colour);
    vr_recfl(handle, pxy);
    vsf_color(handle, old_fill);
    vs_clip(handle, 1, old_clip);
}

bool always_framed(int type) { return type == OT_BOXTEXT || type == OT_FBOXTEXT; }

// A button's frame is one pixel outward, one more for OF_EXIT and one
// more for OF_DEFAULT; the object's own thickness replaces the first
// pixel, and the extras grow it the way it goes.
int button_thickness(const OBJECT &ob)
{
    const int extra = ((ob.ob_flags & OF_EXIT) ? 1 : 0) + ((ob.ob_flags & OF_DEFAULT) ? 1 : 0);
    const int base = ob.ob_thick ? ob.ob_thick : -1;
    return base < 0 ? base - extra : base + extra;
}

}  // namespace

int shown_type(const OBJECT &ob) { return (ob.ob_xflags & OX_INLINE) ? 0 : ob.ob_type; }

Frame frame_of(const OBJECT &ob, int type)
{
    if (type == OT_BUTTON || ob.ob_thick) {
        const int t = type == OT_BUTTON ? button_thickness(ob) : ob.ob_thick;
        return {Frame::THICK, t, std::abs(t), t < 0 ? -t : 0, false};
    }
    if (!(ob.ob_flags & OF_FRAMED) && !always_framed(type))
        return {Frame::NONE, 0, 0, 0, false};
    const bool on_edge = ob.ob_border == 1, is_default = ob.ob_flags & OF_DEFAULT;
    const int outer = !on_edge || is_default, inner = on_edge || is_default;
    return {Frame::CLASSIC, 0, outer + inner, outer, !on_edge};
}

bool is_filled(int type)
{
    return type != OT_IBOX && type != OT_IMAGE && type != OT_ICON && type != OT_USERDEF;
}

// Looks 1 to 6 are the dithers FIS_PATTERN 6 down to 1 in the fill colour
// over white, as a writing mode replace draws them; no perimeter, since
// the frame is the object's own.
void fill_box(const OBJECT &ob, const short box[4])
{
    const int fill = ob.ob_look & OL_FILLMASK;
    if (fill == OL_HOLLOW)
        return;
    if (fill != OL_SOLID) {
        vsf_interior(handle, FIS_PATTERN);
        vsf_style(handle, OL_HOLLOW - fill);
        vsf_perimeter(handle, 0);
    }
    v_bar(handle, box);
}

void text_look(const OBJECT &ob)
{
    if (ob.ob_look & OL_TRANSPARENT)
        vswr_mode(handle, MD_TRANS);
    else if (ob.ob_look & OL_FILLMASK)
        vsf_color(handle, WHITE);
}

void plain_look()
{
    VDI_ATTRIBUTES discarded;
    _vdi_enter_plain(&discarded);
}

void draw_thick_frame(const Place &at, int thickness, int colour)
{
    vsl_color(handle, colour);
    for (int i = 0; i < std::abs(thickness); i++) {
        const int inset = thickness > 0 ? i : -1 - i;
        const int x1 = at.x + inset, y1 = at.y + inset;
        const int x2 = at.x + at.w - 1 - inset, y2 = at.y + at.h - 1 - inset;
        if (x1 > x2 || y1 > y2)
            break;  // an inward frame that has filled the object
        ring(x1, y1, x2, y2);
    }
}

void draw_outline(const Place &at, int colour)
{
    if (at.w < 0 || at.h < 0)
        return;
    const int x2 = at.x + at.w - 1, y2 = at.y + at.h - 1;
    vsl_color(handle, WHITE);
    for (int d = 1; d <= OUTLINE_GAP; d++)
        ring(at.x - d, at.y - d, x2 + d, y2 + d);
    const int d = OUTLINE_GAP + 1;
    vsl_color(handle, colour);
    ring(at.x - d, at.y - d, x2 + d, y2 + d);
}

// The shadow lies right of and below the frame's outer edge, as wide as
// twice the frame, and starts that far along from the corners.
void draw_shadow(const Place &at, const Frame &frame, int colour)
{
    if (at.w < 0 || at.h < 0)
        return;
    const int s = std::max(MIN_SHADOW, 2 * frame.width);
    const int x1 = at.x - frame.outside, y1 = at.y - frame.outside;
    const int x2 = at.x + at.w - 1 + frame.outside, y2 = at.y + at.h - 1 + frame.outside;
    paint(x2 + 1, y1 + s, x2 + s, y2 + s, colour);
    paint(x1 + s, y2 + 1, x2, y2 + s, colour);
}

void draw_cross(const Place &at)
{
    if (at.w <= 0 || at.h <= 0)
        return;
    const short x2 = clamp16(at.x + at.w - 1), y2 = clamp16(at.y + at.h - 1);
    const short falling[4] = {at.x, at.y, x2, y2};
    const short rising[4] = {x2, at.y, at.x, y2};
    vsl_color(handle, WHITE);
    v_pline(handle, 2, falling);
    v_pline(handle, 2, rising);
}

}  // namespace objdraw
