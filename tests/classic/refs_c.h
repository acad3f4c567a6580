// The C half of the pointer-width tests.
#pragma once
#ifdef __cplusplus
extern "C" {
#endif
void refs_c_put(short *s, int *i, long *l);
long refs_c_sum(const short *s, const int *i);
#ifdef __cplusplus
}
#endif
