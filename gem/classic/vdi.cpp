// The classic VDI workstation calls: opening and closing workstations, the
// clip rectangle (which the profile's v_pline keeps to), colours, faces,
// effects, the timer hook, the pointer shape and input queries.
#include <algorithm>

#include "gem/classic/vdiwords.h"

namespace {

// Virtual workstations draw on the visible screen, which layer handles 0 to
// 3 select; 0 is what classic programs take for a failed open. Each open
// gets the least used of 1 to 3, so up to three open at once have handles
// of their own and any more still open.
constexpr int kFirstHandle = 1, kLastHandle = 3;
int opens[kLastHandle + 1];

short take_handle()
{
    int best = kFirstHandle;
    for (int h = kFirstHandle + 1; h <= kLastHandle; h++)
        if (opens[h] < opens[best])
            best = h;
    opens[best]++;
    return (short)best;
}

constexpr int kWorkIn = 11, kWorkOut = 57;

// The layer's v_opnwk starts the attributes and the clip over and applies
// work_in; the handle it gives is replaced by the caller.
void open_screen(GEMC_REF work_in, GEMC_REF work_out)
{
    std::vector<short> in = _gemc_words(work_in, kWorkIn);
    short out[kWorkOut] = {}, ignored = 0;
    v_opnwk(work_in.p ? in.data() : nullptr, &ignored, out);
    _gemc_put_words(work_out, out, kWorkOut);
}

// The surface's Allegro clip narrowed to the VDI clip rectangle for one
// call, and put back after.
class ClipToRectangle {
public:
    explicit ClipToRectangle(BITMAP *surface) : surface_(surface)
    {
        get_clip_rect(surface, &x1_, &y1_, &x2_, &y2_);
        on_ = get_clip_state(surface);
        int x1 = std::max<int>(_clipx1, 0), y1 = std::max<int>(_clipy1, 0);
        int x2 = std::min<int>(_clipx2, surface->w - 1),
            y2 = std::min<int>(_clipy2, surface->h - 1);
        if (on_) {
            x1 = std::max(x1, x1_);
            y1 = std::max(y1, y1_);
            x2 = std::min(x2, x2_);
            y2 = std::min(y2, y2_);
        }
        empty_ = x1 > x2 || y1 > y2;
        if (!empty_)
            set_clip_rect(surface, x1, y1, x2, y2);
    }
    ~ClipToRectangle()
    {
        set_clip_rect(surface_, x1_, y1_, x2_, y2_);
        set_clip_state(surface_, on_);
    }
    ClipToRectangle(const ClipToRectangle &) = delete;
    ClipToRectangle &operator=(const ClipToRectangle &) = delete;
    bool empty() const { return empty_; }

private:
    BITMAP *surface_;
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0, on_ = 0;
    bool empty_ = true;
};

// The classic timer tick: 50 a second.
constexpr int kTickMs = 20;

// What a program chaining to the routine before its own calls when there
// was none.
void no_routine() {}

// The routine the program has on the timer, if any.
void (*hooked)(void) = nullptr;

void swap_on_timer(void (*off)(void), void (*on)(void))
{
    if (off)
        remove_int(off);
    _trout = nullptr;
    if (on)
        vex_retime(0, on, nullptr, kTickMs);
}

constexpr int kEffects = TXT_BOLD | TXT_LIGHT | TXT_ITALIC | TXT_UNDERLINED;

// The font of face `id` nearest the current height: the same cell height,
// else the face's first font; -1 without such a face.
int font_of_face(int id)
{
    int first = -1;
    for (int n = 0; n < _no_of_fonts; n++) {
        if (_sysfonts[n]->font_id != id)
            continue;
        if (_font && _sysfonts[n]->form_height == _font->form_height)
            return n;
        if (first < 0)
            first = n;
    }
    return first;
}

}  // namespace

void gemc_v_opnwk(GEMC_REF work_in, GEMC_REF handle_out, GEMC_REF work_out)
{
    open_screen(work_in, work_out);
    gemc_put(handle_out, 0, kFirstHandle);
}

void gemc_v_opnvwk(GEMC_REF work_in, GEMC_REF handle_io, GEMC_REF work_out)
{
    open_screen(work_in, work_out);
    gemc_put(handle_io, 0, take_handle());
}

void gemc_v_clsvwk(int h)
{
    if (h >= kFirstHandle && h <= kLastHandle && opens[h] > 0)
        opens[h]--;
    v_clsvwk(h);
}

void gemc_vq_extnd(int h, int extended, GEMC_REF work_out)
{
    short out[kWorkOut];
    vq_extnd(h, extended, out);
    _gemc_put_words(work_out, out, kWorkOut);
}

// A null corner list turns clipping off rather than reading nothing.
void gemc_vs_clip(int h, int flag, GEMC_REF pxy)
{
    if (!flag || !pxy.p) {
        vs_clip(h, 0, nullptr);
        return;
    }
    const std::vector<short> c = _gemc_words(pxy, 4);
    const short ordered[4] = {std::min(c[0], c[2]), std::min(c[1], c[3]), std::max(c[0], c[2]),
                              std::max(c[1], c[3])};
    vs_clip(h, 1, ordered);
}

// The layer's v_pline draws within the surface's Allegro clip: narrowing that
// to the clip rectangle clips each segment with its dashes, widths and ends
// exactly where they would have been.
void gemc_v_pline(int h, int count, GEMC_REF pxy)
{
    BITMAP *surface = _surface(h);
    if (!pxy.p || count < 2 || count > GEM_MAX_POLYGON || !surface)
        return;
    const std::vector<short> points = _gemc_words(pxy, 2 * count);
    ClipToRectangle clip(surface);
    if (!clip.empty())
        v_pline(h, count, points.data());
}

void gemc_vs_color(int h, int index, GEMC_REF rgb)
{
    if (!rgb.p)
        return;
    vs_color(h, index, _gemc_words(rgb, 3).data());
}

int gemc_vq_color(int h, int index, int set_flag, GEMC_REF rgb)
{
    short out[3] = {};
    const int got = vq_color(h, index, set_flag, out);
    if (got >= 0)
        _gemc_put_words(rgb, out, 3);
    return got;
}

// Outlined and shadowed text, which the screen does not draw, are left out:
// the layer's bit 0x10 is wide text, which is not the classic outline.
int gemc_vst_effects(int h, int effects) { return vst_effects(h, effects & kEffects); }

// A face the workstation lacks selects the system face (id 1).
int gemc_vst_font(int h, int font_id)
{
    int n = font_of_face(font_id);
    if (n < 0)
        n = std::max(font_of_face(1), 0);
    if (n >= _no_of_fonts)
        return 0;
    vst_font(h, n);
    return _sysfonts[n]->font_id;
}

void (*_gemc_timer_swap)(void (*off)(void), void (*on)(void)) = swap_on_timer;

// The routine before is taken off the timer (the layer's vex_retime leaves
// it running): classic routines chain to it themselves.
void gemc_vex_timv(int h, void (*routine)(void), void (**old)(void), GEMC_REF tim_conv)
{
    (void)h;
    void (*before)(void) = hooked;
    hooked = routine == no_routine ? nullptr : routine;
    _gemc_timer_swap(before, hooked);
    if (old)
        *old = before ? before : no_routine;
    gemc_put(tim_conv, 0, kTickMs);
}

void gemc_vsc_form(int h, GEMC_REF form)
{
    (void)h;
    if (!form.p)
        return;
    const std::vector<short> w = _gemc_bits(form, 37);
    MSHAPE shape = {w[0], w[1], w[3], w[4], {}, {}};
    for (int row = 0; row < 16; row++) {
        shape.ms_mask[row] = (unsigned short)w[5 + row];
        shape.ms_data[row] = (unsigned short)w[21 + row];
    }
    graf_mouse(USER_DEF, &shape);
}

void gemc_vq_mouse(int h, GEMC_REF buttons, GEMC_REF x, GEMC_REF y)
{
    short b = 0, mx = 0, my = 0;
    vq_mouse(h, &b, &mx, &my);
    gemc_put(buttons, 0, b);
    gemc_put(x, 0, mx);
    gemc_put(y, 0, my);
}

void gemc_vq_key_s(int h, GEMC_REF state)
{
    short s = 0;
    vq_key_s(h, &s);
    gemc_put(state, 0, s);
}
