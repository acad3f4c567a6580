// The palette model: the master copy `_palette` of the display's 256 entries
// (6-bit values), the count of entries in use, and the extended-BIOS calls
// that set, find or add, read back and load colours. Colours come and go as
// 8-bit triples; only Setpalette, Forcepalette and Defaultpalette touch the
// display.
#include "gem/internal.h"

int _colors = 16;
int _origcolors = 16;

namespace {

// Larger than any distance two 6-bit colours can have (3 x 63^2).
constexpr int no_match = 63 * 63 * 63;
// A colour this close to an entry is taken as that entry at once.
constexpr int near_enough = 3;

// `_colors` limited to the table, so that a stray count can never make a
// search or an addition leave it.
int entries_in_use() { return _colors < 0 ? 0 : _colors > 256 ? 256 : _colors; }

void store(int index, const unsigned char *rgb)
{
    _palette[index].r = rgb[0] >> 2;
    _palette[index].g = rgb[1] >> 2;
    _palette[index].b = rgb[2] >> 2;
    _palette[index].filler = 0;
}

int distance(const RGB &entry, int r, int g, int b)
{
    int dr = entry.r - r, dg = entry.g - g, db = entry.b - b;
    return dr * dr + dg * dg + db * db;
}

// The entry for `rgb`: the first entry from 1 on within a distance of 3,
// else a new entry while the table has room, else the nearest entry.
// Entry 0 is never matched: it is the transparent colour.
int find_or_add(const unsigned char *rgb)
{
    int r = rgb[0] >> 2, g = rgb[1] >> 2, b = rgb[2] >> 2;
    int used = entries_in_use();
    int best = 0, best_distance = no_match;
    for (int i = 1; i < used; i++) {
        int d = distance(_palette[i], r, g, b);
        if (d <= near_enough)
            return i;
        if (d < best_distance) {
            best_distance = d;
            best = i;
        }
    }
    if (used < 256) {
        store(used, rgb);
        _colors = used + 1;
        return used;
    }
    return best;
}

}  // namespace

void Setpalette(void) { set_palette(_palette); }

// Index 0 to 255 sets that entry; 256 and above finds or adds the colour.
// A negative index changes nothing and gives -1.
int Setcolor(int index, const unsigned char *rgb)
{
    if (index >= 256)
        return find_or_add(rgb);
    if (index < 0)
        return -1;
    store(index, rgb);
    if (_colors < index + 1)
        _colors = index + 1;
    return index;
}

int Getpalette(void) { return _colors; }

// 256 restores the count of the last mode setting; other counts are kept
// within the table.
int Resetpalette(int count)
{
    if (count == 256)
        _colors = _origcolors;
    else
        _colors = count < 0 ? 0 : count > 256 ? 256 : count;
    return _colors;
}

// map[k] = the entry for colour k of `rgb`, k from 1; colour 0 is left out.
void Palettize(int count, unsigned char *map, const unsigned char *rgb)
{
    for (int k = 1; k < count; k++)
        map[k] = (unsigned char)find_or_add(rgb + 3 * k);
}

// An index outside the table writes nothing.
void Getcolor(int index, unsigned char *rgb)
{
    if (index < 0 || index > 255)
        return;
    rgb[0] = (unsigned char)(_palette[index].r << 2);
    rgb[1] = (unsigned char)(_palette[index].g << 2);
    rgb[2] = (unsigned char)(_palette[index].b << 2);
}

int Grabpalette(unsigned char *rgb)
{
    int used = entries_in_use();
    for (int i = 0; i < used; i++)
        Getcolor(i, rgb + 3 * i);
    return used;
}

// Colours 0, 1, ... of `rgb` into entries first, first + 1, ..., the range
// cut at entry 255. A start outside the table stores nothing.
void Storepalette(int first, int count, const unsigned char *rgb)
{
    if (first < 0 || first > 255)
        return;
    if (count > 256 - first)
        count = 256 - first;
    for (int k = 0; k < count; k++)
        Setcolor(first + k, rgb + 3 * k);
}

void Forcepalette(int first, int count, const unsigned char *rgb)
{
    Storepalette(first, count, rgb);
    Setpalette();
}

void Defaultpalette(void)
{
    Forcepalette(0, 16, _defpal);
    _colors = 16;
}
