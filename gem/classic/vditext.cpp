// The classic VDI queries and text calls that hand words back: attribute
// arrays, text sizes and extents, font facts and the text cursor.
#include "gem/classic/vdiwords.h"
#include "gem/vdi/textrun.h"

namespace {

// A layer query of `count` words, handed back in the program's width.
template <int count, class Query>
void query_words(GEMC_REF out, Query query)
{
    short words[count] = {};
    query(words);
    _gemc_put_words(out, words, count);
}

// The four sizes vst_height and vst_point give back.
struct Sizes {
    short v[4] = {};
    void put(GEMC_REF cw, GEMC_REF ch, GEMC_REF bw, GEMC_REF bh) const
    {
        gemc_put(cw, 0, v[0]);
        gemc_put(ch, 0, v[1]);
        gemc_put(bw, 0, v[2]);
        gemc_put(bh, 0, v[3]);
    }
};

// The width of one character under the text effects `effects`.
int effect_width(int h, short effects)
{
    const short kept = _texteff;
    _texteff = effects;
    short extent[8] = {};
    vqt_extent(h, "W", extent);
    _texteff = kept;
    return extent[2] - extent[0];
}

}  // namespace

void gemc_vql_attributes(int h, GEMC_REF attrib)
{
    query_words<6>(attrib, [h](short *w) { vql_attributes(h, w); });
}

void gemc_vqf_attributes(int h, GEMC_REF attrib)
{
    query_words<5>(attrib, [h](short *w) { vqf_attributes(h, w); });
}

void gemc_vqm_attributes(int h, GEMC_REF attrib)
{
    query_words<5>(attrib, [h](short *w) { vqm_attributes(h, w); });
}

// The layer gives the font's place in its list; classic programs get the
// face's id, which vst_font takes.
void gemc_vqt_attributes(int h, GEMC_REF attrib)
{
    query_words<10>(attrib, [h](short *w) {
        vqt_attributes(h, w);
        if (_font)
            w[0] = _font->font_id;
    });
}

void gemc_vst_alignment(int h, int hor, int vert, GEMC_REF hor_out, GEMC_REF vert_out)
{
    short ho = 0, vo = 0;
    vst_alignment(h, hor, vert, &ho, &vo);
    gemc_put(hor_out, 0, ho);
    gemc_put(vert_out, 0, vo);
}

int gemc_vst_height(int h, int height, GEMC_REF cw, GEMC_REF ch, GEMC_REF bw, GEMC_REF bh)
{
    Sizes s;
    const int set = vst_height(h, height, &s.v[0], &s.v[1], &s.v[2], &s.v[3]);
    s.put(cw, ch, bw, bh);
    return set;
}

int gemc_vst_point(int h, int point, GEMC_REF cw, GEMC_REF ch, GEMC_REF bw, GEMC_REF bh)
{
    Sizes s;
    const int set = vst_point(h, point, &s.v[0], &s.v[1], &s.v[2], &s.v[3]);
    s.put(cw, ch, bw, bh);
    return set;
}

void gemc_vqt_extent(int h, const char *string, GEMC_REF extent)
{
    query_words<8>(extent, [h, string](short *w) { vqt_extent(h, string ? string : "", w); });
}

int gemc_vqt_width(int h, int character, GEMC_REF advance, GEMC_REF left, GEMC_REF right)
{
    short a = 0, l = 0, r = 0;
    const int got = vqt_width(h, character, &a, &l, &r);
    gemc_put(advance, 0, a);
    gemc_put(left, 0, l);
    gemc_put(right, 0, r);
    return got;
}

// The effect widths: what the current effects add to a character, nothing
// left of it (the layer slants skewed text to the right), and how far skewed
// text runs on to the right.
void gemc_vqt_fontinfo(int h, GEMC_REF min_ade, GEMC_REF max_ade, GEMC_REF distances,
                       GEMC_REF max_width, GEMC_REF effects)
{
    const GFONT *f = _font;
    if (!f)
        return;
    gemc_put(min_ade, 0, f->first_ade);
    gemc_put(max_ade, 0, f->last_ade);
    const short d[5] = {f->bottom, f->descent, f->half, f->ascent, f->top};
    _gemc_put_words(distances, d, 5);
    gemc_put(max_width, 0, f->max_cell_width);
    const short e[3] = {(short)(effect_width(h, _texteff) - effect_width(h, 0)), 0,
                        (short)current_run().tail()};
    _gemc_put_words(effects, e, 3);
}

void gemc_vq_chcells(int h, GEMC_REF rows, GEMC_REF columns)
{
    short r = 0, c = 0;
    vq_chcells(h, &r, &c);
    gemc_put(rows, 0, r);
    gemc_put(columns, 0, c);
}

void gemc_vq_curaddress(int h, GEMC_REF row, GEMC_REF column)
{
    short r = 0, c = 0;
    vq_curaddress(h, &r, &c);
    gemc_put(row, 0, r);
    gemc_put(column, 0, c);
}
