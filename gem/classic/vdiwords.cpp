// Arrays of VDI words read and written in the program's width.
#include "gem/classic/vdiwords.h"

#include <algorithm>
#include <climits>

std::vector<short> _gemc_words(GEMC_REF ref, int count)
{
    std::vector<short> words((size_t)std::max(count, 0));
    for (int i = 0; i < count; i++)
        words[(size_t)i] = (short)std::clamp<long>(gemc_get(ref, i), SHRT_MIN, SHRT_MAX);
    return words;
}

std::vector<short> _gemc_bits(GEMC_REF ref, int count)
{
    std::vector<short> bits((size_t)std::max(count, 0));
    for (int i = 0; i < count; i++)
        bits[(size_t)i] = (short)(unsigned short)gemc_get(ref, i);
    return bits;
}

void _gemc_put_words(GEMC_REF ref, const short *words, int count)
{
    for (int i = 0; i < count; i++)
        gemc_put(ref, i, words[i]);
}

MFDB _gemc_form(const MFDB *form)
{
    MFDB f = *form;
    if (!f.fd_addr) {
        f.fd_w = _scrwid;
        f.fd_h = _scrht;
    }
    return f;
}
