// Screen areas saved under the menu bar and under an open box: a block
// from _menu_alloc described by an MFDB, and the mode-3 copies in and out.
#pragma once

#include <stdlib.h>

#include "gem/internal.h"

namespace menu_area {

// A block of w x h bytes for `form`; false (and a null address) when none
// can be had, so that nothing is ever copied into a missing block.
inline bool take(MFDB &form, int w, int h)
{
    form = MFDB{};
    if (w <= 0 || h <= 0)
        return false;
    form.fd_addr = _menu_alloc((size_t)w * (size_t)h);
    if (!form.fd_addr)
        return false;
    form.fd_w = (short)w;
    form.fd_h = (short)h;
    return true;
}

inline void give_back(MFDB &form)
{
    free(form.fd_addr);
    form = MFDB{};
}

// A mode-3 copy between the screen and a saved area, with the clip
// rectangle opened to the whole screen for it: an area saved under one clip
// and put back under another (drawing resets it) would come back in part.
// The caller's clip rectangle is left as it was.
inline void copy(const short *pxy, const MFDB *src, const MFDB *dst)
{
    if (!src->fd_addr && !dst->fd_addr)
        return;
    const short x1 = _clipx1, y1 = _clipy1, x2 = _clipx2, y2 = _clipy2;
    vs_clip(handle, 0, NULL);
    vro_cpyfm(handle, 3, pxy, src, dst);
    const short clip[4] = {x1, y1, x2, y2};
    vs_clip(handle, 1, clip);
}

}  // namespace menu_area
