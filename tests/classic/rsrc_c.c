/* rsrc_load, rsrc_gaddr and rsrc_free under their classic names from C:
 * the address lands in whatever the program declared, OBJECT * or LONG. */
#include <aesbind.h>
#include <portab.h>

#include "classic/rsrc_c.h"

int rsrc_c_load(const char *path) { return rsrc_load(path); }

int rsrc_c_lookups(long *as_long, struct gemc_object **as_pointer, char **alert)
{
    OBJECT *tree = NULL;
    LONG addr = 0;
    BYTE *text = NULL;
    int got = rsrc_gaddr(0, 0, &tree) + rsrc_gaddr(0, 0, &addr) + rsrc_gaddr(5, 0, &text);
    *as_long = addr;
    *as_pointer = tree;
    *alert = text;
    return got;
}

int rsrc_c_free(void) { return rsrc_free(); }
