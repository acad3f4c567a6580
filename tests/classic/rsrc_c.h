// The C half of the resource tests: the classic names rsrc_load,
// rsrc_gaddr and rsrc_free as a C program writes them.
#pragma once
#ifdef __cplusplus
extern "C" {
#endif
struct gemc_object;
int rsrc_c_load(const char *path);
/* Tree 0 into a LONG and into an OBJECT *, free string 0 into a char *
 * (null unless R_FRSTR's index entry holds the same address): the number of
 * lookups that succeeded. */
int rsrc_c_lookups(long *as_long, struct gemc_object **as_pointer, char **alert);
int rsrc_c_free(void);
#ifdef __cplusplus
}
#endif
