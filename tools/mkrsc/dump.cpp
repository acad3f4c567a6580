// Describing a stored image. The image is read into a description that
// fixes everything (text offsets, record indices, area offsets, and links
// for objects that do not nest); then the least of that which still builds
// the same bytes is kept, so a regular image reads like a hand-written one.
#include <algorithm>
#include <cstring>
#include <functional>

#include "gem/resource/stored.h"
#include "mkrsc.h"

namespace mkrsc {

namespace {

using namespace stored;
using Bytes = std::vector<unsigned char>;

constexpr int MAX_NESTING = 100;

Text text_at(const unsigned char *data, uint32_t at)
{
    return {std::string((const char *)data + at), (long)at};
}

// Rows of '#' and '.' from `rows` rows of `row_bytes` bytes at `at`, each
// `width` pixels wide.
std::vector<std::string> rows_at(const unsigned char *data, uint32_t at, long width, long rows,
                                 long row_bytes)
{
    std::vector<std::string> out((size_t)rows, std::string((size_t)width, '.'));
    for (long r = 0; r < rows; r++) {
        const unsigned char *row = data + at + r * row_bytes;
        for (long x = 0; x < width; x++)
            if (read_u16(row + x / 16 * 2) & (0x8000u >> (x % 16)))
                out[(size_t)r][(size_t)x] = '#';
    }
    return out;
}

// The rows without the clear columns at their right that bi_wb does not
// need (it counts whole words).
void trim_rows(std::vector<std::string> &rows)
{
    size_t width = rows.empty() ? 0 : rows[0].size();
    const size_t least = width > 16 ? width - 15 : std::min<size_t>(width, 1);
    while (width > least && std::all_of(rows.begin(), rows.end(),
                                        [&](const std::string &r) { return r[width - 1] == '.'; }))
        width--;
    for (std::string &r : rows)
        r.resize(width);
}

// A bit image's rows, when no row is wider than the language takes (else
// the builder finds the image different).
void read_image_record(const unsigned char *data, const unsigned char *rec, Object &o)
{
    o.image = read_bitblk(rec);
    const long width = o.image.bi_wb * 8L;
    if (width > MAX_ROWS)
        return;
    o.bits = rows_at(data, read_u32(rec + BI_PDATA), width, o.image.bi_hl, o.image.bi_wb);
    trim_rows(o.bits);
}

void read_icon_record(const unsigned char *data, const unsigned char *rec, Object &o)
{
    o.icon = read_iconblk(rec);
    o.text = text_at(data, read_u32(rec + IB_PTEXT));
    const long w = o.icon.ib_wicon, h = o.icon.ib_hicon;
    const long row_bytes = icon_plane_bytes(w, 1);
    o.mask = rows_at(data, read_u32(rec + IB_PMASK), w, h, row_bytes);
    o.data = rows_at(data, read_u32(rec + IB_PDATA), w, h, row_bytes);
}

Object read_object(const RSHDR &h, const Extension &x, const unsigned char *data, int k)
{
    Object o;
    o.raw = true;
    o.ob = stored::read_object(data + h.rsh_object + OBJECT_SIZE * k);
    if (x.present)
        read_extended_fields(data + x.objects + EXT_OBJECT_SIZE * k, o.ob);
    else if (is_record_type(o.ob.ob_type))
        o.ob.ob_xflags = OX_INLINE;  // as the installer takes it
    const uint32_t spec = (uint32_t)o.ob.ob_spec;
    const Spec kind = spec_of(o);
    if (kind == Spec::IMAGE_RECORD)
        read_image_record(data, data + spec, o);
    else if (kind == Spec::ICON_RECORD)
        read_icon_record(data, data + spec, o);
    else if (kind == Spec::USER_RECORD)
        o.parm = read_u32(data + spec + UB_PARM);
    else if (kind == Spec::STRING_AT) {
        o.text = text_at(data, spec);
    } else if (kind == Spec::TEXT_RECORD) {
        const unsigned char *ted = data + spec;
        o.record = (long)(spec - h.rsh_tedinfo) / TEDINFO_SIZE;
        o.text = text_at(data, read_u32(ted + TE_PTEXT));
        o.tmplt = text_at(data, read_u32(ted + TE_PTMPLT));
        o.valid = read_s16(ted + TE_PVALID);
        o.buflen = read_s16(ted + TE_PTXTLEN);
    }
    return o;
}

// The whole image as a raw description; throws for what the installer
// refuses.
Description read_image(const Bytes &image)
{
    if (image.size() < (size_t)HEADER_SIZE)
        throw Error(0, "is too short for a resource header (" + std::to_string(image.size()) +
                           " bytes)");
    const RSHDR h = read_header(image.data());
    const size_t want = HEADER_SIZE + (size_t)h.rsh_rssize;
    if (image.size() < want)
        throw Error(0, "is cut short: its header gives " + std::to_string(h.rsh_rssize) +
                           " bytes of data, " + std::to_string(image.size() - HEADER_SIZE) +
                           " follow it");
    if (image.size() > want)
        throw Error(0, "has " + std::to_string(image.size() - want) +
                           " bytes after its data block, which no resource keeps");
    const unsigned char *data = image.data() + HEADER_SIZE;
    if (!image_sound(h, data))
        throw Error(0, "is damaged: a table, string or record it names lies outside its " +
                           std::to_string(h.rsh_rssize) + " bytes of data");
    Extension x;
    read_extension(h, data, x);
    Description d;
    for (int k = 0; k < h.rsh_nobs; k++)
        d.objects.push_back(read_object(h, x, data, k));
    for (int t = 0; t < h.rsh_ntrees; t++) {
        Tree tree;
        tree.root = (int)(read_u32(data + h.rsh_trindex + TREE_ENTRY_SIZE * t) - h.rsh_object) /
                    OBJECT_SIZE;
        d.trees.push_back(tree);
    }
    d.layout = {h.rsh_tedinfo, h.rsh_object, h.rsh_trindex, h.rsh_rssize};
    return d;
}

// Sets the parents of the objects under `p` (array index) from the head and
// next links, which must number them in order from `counter` on.
bool walk(Description &d, int root, int end, int p, int depth, int &counter)
{
    int c = d.objects[p].ob.ob_head;
    if (c < 0)
        return true;
    if (depth >= MAX_NESTING)
        return false;
    for (;;) {
        if (c != counter || root + c >= end)
            return false;
        counter++;
        d.objects[root + c].parent = p;
        if (!walk(d, root, end, root + c, depth + 1, counter))
            return false;
        c = d.objects[root + c].ob.ob_next;
        if (c == p - root)
            return true;
    }
}

void strip_records(Description &d)
{
    for (Object &o : d.objects)
        o.record = -1;
}

void strip_offsets(Description &d)
{
    for (Object &o : d.objects)
        o.text.at = o.tmplt.at = -1;
}

void strip_layout(Description &d) { d.layout = Layout{}; }

}  // namespace

bool nest(Description &d)
{
    const int n = (int)d.objects.size();
    for (size_t t = 0; t < d.trees.size(); t++) {
        const int root = d.trees[t].root;
        const int end = t + 1 < d.trees.size() ? d.trees[t + 1].root : n;
        int counter = 1;
        if (root != (t == 0 ? 0 : d.trees[t - 1].root + d.trees[t - 1].count) || end <= root ||
            !walk(d, root, end, root, 0, counter) || counter != end - root)
            return false;
        d.trees[t].count = end - root;
    }
    if (d.trees.empty() && n > 0)
        return false;
    for (Object &o : d.objects)
        o.raw = false;
    return true;
}

std::string dump(const Bytes &image)
{
    const Description full = read_image(image);
    std::vector<Description> shapes;
    Description nested = full;
    if (nest(nested))
        shapes.push_back(nested);
    shapes.push_back(full);

    // From the plainest text to the one that fixes everything.
    const std::function<void(Description &)> strips[][3] = {
        {strip_layout, strip_records, strip_offsets},
        {strip_layout, strip_offsets, nullptr},
        {strip_layout, strip_records, nullptr},
        {strip_layout, nullptr, nullptr},
        {nullptr, nullptr, nullptr},
    };
    std::string last_refusal = "no description builds it again byte for byte";
    for (const Description &shape : shapes) {
        for (const auto &level : strips) {
            Description d = shape;
            for (const auto &strip : level)
                if (strip)
                    strip(d);
            try {
                // Only a description that builds the image is written out;
                // read back, it must build the image too.
                if (build(d) != image)
                    continue;
                const std::string text = format(d);
                if (build(parse(text)) == image)
                    return text;
            } catch (const Error &e) {
                last_refusal = e.what();
            }
        }
    }
    throw Error(0, "cannot be described: " + last_refusal);
}

}  // namespace mkrsc
