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
    BYTE **entry = NULL;
    int got = rsrc_gaddr(R_TREE, 0, &tree) + rsrc_gaddr(R_TREE, 0, &addr) +
              rsrc_gaddr(R_STRING, 0, &text) + rsrc_gaddr(R_FRSTR, 0, &entry);
    *as_long = addr;
    *as_pointer = tree;
    *alert = entry && *entry == text ? text : NULL; /* R_FRSTR: the index entry */
    return got;
}

int rsrc_c_free(void) { return rsrc_free(); }
