// Arrays of 16-bit VDI words between a program's pointers (any width) and
// the layer's calls.
#pragma once

#include <vector>

#include "gem/classic/internal.h"

// `count` values of the program's array as words, each held to the range of
// a word; all 0 from a null ref.
std::vector<short> _gemc_words(GEMC_REF ref, int count);

// `count` values of the program's array as 16-bit patterns: their low 16
// bits, so that 0x8000 and up in an int array are the bits meant.
std::vector<short> _gemc_bits(GEMC_REF ref, int count);

// The first `count` words into the program's array in its width.
void _gemc_put_words(GEMC_REF ref, const short *words, int count);

// The layer's form of a program's MFDB: a screen form (null address) gets
// the surface's size, which classic programs leave 0.
MFDB _gemc_form(const MFDB *form);

// Takes `off` off the timer and puts `on` there (either may be null), every
// 20 ms: vex_timv's hold on the timer, which tests replace.
extern void (*_gemc_timer_swap)(void (*off)(void), void (*on)(void));
