// Screen areas saved under the menu bar and under an open box: a block
// from _area_alloc described by an MFDB, and the copies in and out.
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
    form.fd_addr = _area_alloc((size_t)w * (size_t)h);
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

}  // namespace menu_area
