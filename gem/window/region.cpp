#include "gem/window/region.h"

#include <algorithm>
#include <climits>
#include <tuple>

namespace win {

Rect Rect::operator&(const Rect &o) const
{
    return {std::max(x1, o.x1), std::max(y1, o.y1), std::min(x2, o.x2), std::min(y2, o.y2)};
}

// Sizes beyond 16 bits are cut: no region the layer builds reaches them.
GRECT Rect::grect() const
{
    auto w16 = [](int v) { return (short)std::clamp(v, SHRT_MIN, SHRT_MAX); };
    if (empty())
        return GRECT{w16(x1), w16(y1), 0, 0};
    return GRECT{w16(x1), w16(y1), w16(x2 - x1), w16(y2 - y1)};
}

Region::Region(const Rect &r)
{
    if (!r.empty())
        rects_.push_back(r);
}

long Region::area() const
{
    long sum = 0;
    for (const Rect &r : rects_)
        sum += r.area();
    return sum;
}

Rect Region::bounds() const
{
    if (rects_.empty())
        return Rect{};
    Rect b = rects_.front();
    for (const Rect &r : rects_)
        b = {std::min(b.x1, r.x1), std::min(b.y1, r.y1), std::max(b.x2, r.x2),
             std::max(b.y2, r.y2)};
    return b;
}

// Each rectangle that `cut` overlaps leaves what lies above and below it,
// full width, and what lies left and right of it in the band between. The
// pieces are defined by the edges of the rectangles involved, so however
// many cuts are made the list stays within the grid those edges draw.
void Region::subtract(const Rect &cut)
{
    if (cut.empty())
        return;
    std::vector<Rect> out;
    out.reserve(rects_.size() + 4);
    for (const Rect &r : rects_) {
        const Rect o = r & cut;
        if (o.empty()) {
            out.push_back(r);
            continue;
        }
        if (r.y1 < o.y1)
            out.push_back({r.x1, r.y1, r.x2, o.y1});
        if (r.x1 < o.x1)
            out.push_back({r.x1, o.y1, o.x1, o.y2});
        if (o.x2 < r.x2)
            out.push_back({o.x2, o.y1, r.x2, o.y2});
        if (o.y2 < r.y2)
            out.push_back({r.x1, o.y2, r.x2, r.y2});
    }
    rects_.swap(out);
}

void Region::subtract(const Region &other)
{
    for (const Rect &r : other.rects_)
        subtract(r);
}

void Region::intersect(const Rect &clip)
{
    std::vector<Rect> out;
    for (const Rect &r : rects_) {
        const Rect o = r & clip;
        if (!o.empty())
            out.push_back(o);
    }
    rects_.swap(out);
}

namespace {

// One pass: after sorting, neighbours that `joinable` accepts become one.
template <typename Less, typename Joinable, typename Join>
void join_runs(std::vector<Rect> &rects, Less less, Joinable joinable, Join join)
{
    std::sort(rects.begin(), rects.end(), less);
    std::vector<Rect> out;
    for (const Rect &r : rects) {
        if (!out.empty() && joinable(out.back(), r))
            join(out.back(), r);
        else
            out.push_back(r);
    }
    rects.swap(out);
}

}  // namespace

void Region::tidy()
{
    // Columns first: rectangles of the same span stacked on each other.
    join_runs(
        rects_,
        [](const Rect &a, const Rect &b) {
            return std::tie(a.x1, a.x2, a.y1) < std::tie(b.x1, b.x2, b.y1);
        },
        [](const Rect &a, const Rect &b) { return a.x1 == b.x1 && a.x2 == b.x2 && a.y2 == b.y1; },
        [](Rect &a, const Rect &b) { a.y2 = b.y2; });
    // Then rows: rectangles of the same height side by side.
    join_runs(
        rects_,
        [](const Rect &a, const Rect &b) {
            return std::tie(a.y1, a.y2, a.x1) < std::tie(b.y1, b.y2, b.x1);
        },
        [](const Rect &a, const Rect &b) { return a.y1 == b.y1 && a.y2 == b.y2 && a.x2 == b.x1; },
        [](Rect &a, const Rect &b) { a.x2 = b.x2; });
    std::sort(rects_.begin(), rects_.end(), [](const Rect &a, const Rect &b) {
        return std::tie(a.y1, a.x1) < std::tie(b.y1, b.x1);
    });
}

}  // namespace win
