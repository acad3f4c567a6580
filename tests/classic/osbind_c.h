// The C half of the operating-system tests.
#pragma once
#ifdef __cplusplus
extern "C" {
#endif
// Runs file, search and clock calls by their classic names in the working
// directory; 0 when all gave what they should, else the failing step.
int osbind_c_steps(void);
#ifdef __cplusplus
}
#endif
