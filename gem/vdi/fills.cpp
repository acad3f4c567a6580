// Filled areas: bars, rectangles, polygons and the seed fill.
#include <algorithm>
#include <vector>

#include "gem/vdi/paint.h"
#include "gem/vdi/spans.h"

// Filled with the fill attributes inside the clip rectangle, the perimeter
// on its edge. The corners are taken as given, top left first: a bar that
// is less than two pixels wide or high after clipping draws nothing, as the
// layer's bars always have.
void v_bar(int handle, const short *pxy)
{
    if (!pxy)
        return;
    int x1 = pxy[0], y1 = pxy[1], x2 = pxy[2], y2 = pxy[3];
    if (std::max(x1, (int)_clipx1) >= std::min(x2, (int)_clipx2) ||
        std::max(y1, (int)_clipy1) >= std::min(y2, (int)_clipy2))
        return;
    vdi::Canvas canvas(handle, true, {x1, y1, x2, y2});
    if (canvas.empty())
        return;
    vdi::paint_filled(
        canvas, [&](BITMAP *bmp, int colour) { rectfill(bmp, x1, y1, x2, y2, colour); },
        [&](BITMAP *bmp, int colour) { rect(bmp, x1, y1, x2, y2, colour); });
}

// Any two opposite corners; every pixel of the rectangle, however thin,
// with no perimeter.
void vr_recfl(int handle, const short *pxy)
{
    if (!pxy)
        return;
    int x1 = std::min(pxy[0], pxy[2]), x2 = std::max(pxy[0], pxy[2]);
    int y1 = std::min(pxy[1], pxy[3]), y2 = std::max(pxy[1], pxy[3]);
    vdi::Canvas canvas(handle, true, {x1, y1, x2, y2});
    if (canvas.empty())
        return;
    vdi::paint_interior(canvas, _fillcol,
                        [&](BITMAP *bmp, int colour) { rectfill(bmp, x1, y1, x2, y2, colour); });
}

// The polygon through `count` points, closed back to the first, filled by
// the even-odd rule. Its edges are part of the fill, so the perimeter lies on
// the fill's edge; two points give the line between them. More than
// GEM_MAX_POLYGON points, or fewer than two, draw nothing.
void v_fillarea(int handle, int count, const short *pxy)
{
    if (!pxy || count < 2 || count > GEM_MAX_POLYGON)
        return;
    std::vector<vdi::Point> v;
    for (int i = 0; i < count; i++)
        v.push_back({pxy[2 * i], pxy[2 * i + 1]});
    vdi::Canvas canvas(handle, true, vdi::bounds(pxy, count, 0));
    if (canvas.empty())
        return;
    auto edges = [&](BITMAP *bmp, int colour) {
        for (int i = 0; i < count; i++) {
            const vdi::Point &a = v[i], &b = v[(i + 1) % count];
            line(bmp, a.x, a.y, b.x, b.y, colour);
        }
    };
    vdi::paint_filled(
        canvas,
        [&](BITMAP *bmp, int colour) {
            vdi::fill_polygon(bmp, v.data(), count, canvas.rect(), colour);
            edges(bmp, colour);
        },
        edges);
}

namespace {

struct Span {
    int y, x1, x2;
};

// The spans of the region a seed fill covers, found before anything is
// drawn: 4-connected pixels inside `area` that `inside` accepts, from the
// seed. An explicit stack of seeds, one a run, keeps the search off the call
// stack whatever the region's shape.
template <class Inside>
std::vector<Span> seed_spans(const vdi::Rect &area, int sx, int sy, Inside inside)
{
    int w = area.x2 - area.x1 + 1, h = area.y2 - area.y1 + 1;
    std::vector<unsigned char> taken((size_t)w * h);
    auto open = [&](int x, int y) {
        return !taken[(size_t)(y - area.y1) * w + (x - area.x1)] && inside(x, y);
    };
    std::vector<Span> spans;
    std::vector<vdi::Point> stack = {{sx, sy}};
    while (!stack.empty()) {
        vdi::Point p = stack.back();
        stack.pop_back();
        if (!open(p.x, p.y))
            continue;
        int left = p.x, right = p.x;
        while (left > area.x1 && open(left - 1, p.y))
            left--;
        while (right < area.x2 && open(right + 1, p.y))
            right++;
        std::fill_n(&taken[(size_t)(p.y - area.y1) * w + (left - area.x1)], right - left + 1, 1);
        spans.push_back({p.y, left, right});
        // One seed for each run of open pixels above and below.
        for (int y : {p.y - 1, p.y + 1}) {
            if (y < area.y1 || y > area.y2)
                continue;
            bool in_run = false;
            for (int x = left; x <= right; x++) {
                bool o = open(x, y);
                if (o && !in_run)
                    stack.push_back({x, y});
                in_run = o;
            }
        }
    }
    return spans;
}

}  // namespace

// Fills the region around (x, y) inside the clip rectangle: with colour >= 0
// every pixel reached without crossing that colour (its low byte), with a
// negative colour every pixel of the seed's own colour reached. The region is
// found first and then painted, so the fill's own pixels never steer the
// search.
void v_contourfill(int handle, int x, int y, int color)
{
    BITMAP *surface = _surface(handle);
    vdi::Canvas canvas(handle, true, {0, 0, surface->w - 1, surface->h - 1});
    if (!canvas.contains(x, y))
        return;
    int seed = getpixel(surface, x, y), bound = color & 0xFF;
    std::vector<Span> spans;
    if (color < 0)
        spans = seed_spans(canvas.rect(), x, y,
                           [&](int px, int py) { return getpixel(surface, px, py) == seed; });
    else
        spans = seed_spans(canvas.rect(), x, y,
                           [&](int px, int py) { return getpixel(surface, px, py) != bound; });
    vdi::paint_interior(canvas, _fillcol, [&](BITMAP *bmp, int colour) {
        for (const Span &s : spans)
            hline(bmp, s.x1, s.y, s.x2, colour);
    });
}
