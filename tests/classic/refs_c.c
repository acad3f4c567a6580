/* The pointer genericity as C sees it: _Generic picks the width. */
#include <portab.h>

#include "classic/refs_c.h"

void refs_c_put(short *s, int *i, long *l)
{
    short ss[2] = {0, 0};
    int ii[2] = {0, 0};
    gemc_put(GEMC_REF(s), 0, -2);
    gemc_put(GEMC_REF(i), 0, 70000);
    gemc_put(GEMC_REF(l), 0, 5000000000L);
    gemc_put(GEMC_REF(ss), 1, 7); /* arrays decay to their element's width */
    gemc_put(GEMC_REF(ii), 1, 8);
    gemc_put(GEMC_REF(NULL), 0, 9); /* nothing written */
    gemc_put(GEMC_REF(0), 0, 9);
    s[1] = ss[1];
    i[1] = ii[1];
}

long refs_c_sum(const short *s, const int *i)
{
    WORD w[2] = {3, 4};
    return gemc_get(GEMC_CREF(s), 1) + gemc_get(GEMC_CREF(i), 1) + gemc_get(GEMC_CREF(w), 1) +
           gemc_get(GEMC_CREF(NULL), 0);
}
