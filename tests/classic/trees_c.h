// The C half of the classic dialog test: a dialog as an .RSH file gives it.
#pragma once
#ifdef __cplusplus
extern "C" {
#endif
// The tree's addresses fixed, its cells made pixels, centred and drawn in
// a saved area.
void trees_c_prepare(void);
// The middle of an object on the screen.
void trees_c_where(int obj, short *x, short *y);
// form_do from the name field; the saved area put back after it.
int trees_c_run(void);
int trees_c_state(int obj);
const char *trees_c_name(void);

enum { TC_ROOT, TC_NAME, TC_RADIOS, TC_ONE, TC_TWO, TC_LABEL, TC_OK };
#ifdef __cplusplus
}
#endif
