// Values read and written through a program's pointers in the width the
// program declared them: 2 (short), 4 (int) or 8 (long) bytes.
#include <cstring>

#include "gem/classic/internal.h"

long gemc_get(GEMC_REF ref, int index)
{
    if (!ref.p)
        return 0;
    const char *at = static_cast<const char *>(ref.p) + (size_t)index * (size_t)ref.size;
    switch (ref.size) {
    case 2: {
        short v;
        std::memcpy(&v, at, sizeof v);
        return v;
    }
    case 4: {
        int v;
        std::memcpy(&v, at, sizeof v);
        return v;
    }
    case 8: {
        long v;
        std::memcpy(&v, at, sizeof v);
        return v;
    }
    }
    return 0;
}

void gemc_put(GEMC_REF ref, int index, long value)
{
    if (!ref.p)
        return;
    char *at = static_cast<char *>(ref.p) + (size_t)index * (size_t)ref.size;
    switch (ref.size) {
    case 2: {
        const short v = (short)value;
        std::memcpy(at, &v, sizeof v);
        break;
    }
    case 4: {
        const int v = (int)value;
        std::memcpy(at, &v, sizeof v);
        break;
    }
    case 8: std::memcpy(at, &value, sizeof value); break;
    }
}
