// Changing an object's state, and drawing part of a tree inside a clip
// rectangle: the redraw that objc_change, watched buttons and the dialog
// calls of a program's own loop make.
#include <algorithm>

#include "gem/internal.h"
#include "gem/resource/walk.h"

namespace {

// Limits the drawing surface's Allegro clip to a rectangle (within the clip
// already set) for as long as it lives. Every VDI call and the frames'
// polylines honour that clip.
class SurfaceClip {
public:
    SurfaceClip(BITMAP *surface, const GRECT &r) : surface_(surface)
    {
        get_clip_rect(surface_, &x1_, &y1_, &x2_, &y2_);
        state_ = get_clip_state(surface_);
        int nx1 = std::max<int>(r.g_x, 0), ny1 = std::max<int>(r.g_y, 0);
        int nx2 = std::min<int>(r.g_x + r.g_w - 1, surface_->w - 1);
        int ny2 = std::min<int>(r.g_y + r.g_h - 1, surface_->h - 1);
        if (state_) {
            nx1 = std::max(nx1, x1_);
            ny1 = std::max(ny1, y1_);
            nx2 = std::min(nx2, x2_);
            ny2 = std::min(ny2, y2_);
        }
        empty_ = nx1 > nx2 || ny1 > ny2;
        set_clip_rect(surface_, nx1, ny1, nx2, ny2);
        set_clip_state(surface_, 1);
    }
    ~SurfaceClip()
    {
        set_clip_rect(surface_, x1_, y1_, x2_, y2_);
        set_clip_state(surface_, state_);
    }
    SurfaceClip(const SurfaceClip &) = delete;
    SurfaceClip &operator=(const SurfaceClip &) = delete;

    bool empty() const { return empty_; }

private:
    BITMAP *surface_;
    int x1_, y1_, x2_, y2_, state_;
    bool empty_;
};

}  // namespace

int _objc_draw_clip(OBJECT *tree, int start, int depth, const GRECT *clip)
{
    BITMAP *surface = _surface(handle);
    if (!tree || !surface)
        return 0;
    if (!clip)
        return objc_draw(tree, start, depth, 0, 0, 0, 0);
    const SurfaceClip guard(surface, *clip);
    if (!guard.empty())
        objc_draw(tree, start, depth, 0, 0, 0, 0);
    return 1;
}

int objc_change(OBJECT *tree, int obj, int reserved, int cx, int cy, int cw, int ch, int newstate,
                int redraw)
{
    (void)reserved;
    if (!tree)
        return 0;
    TreeGuard guard(tree);
    if (!guard.valid(obj))
        return 0;
    _ob_set_state(&tree[obj], newstate);
    if (redraw == 1) {
        const GRECT clip = {(short)cx, (short)cy, (short)cw, (short)ch};
        _objc_draw_clip(tree, obj, GEM_MAX_DEPTH, &clip);
    }
    return 1;
}
