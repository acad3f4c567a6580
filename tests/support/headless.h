// The layer without a display, for tests: Allegro runs as SYSTEM_NONE, the
// visible screen is a memory bitmap, and input and time are scripted.
//
// Every waiting loop of the layer calls _idle() between polls; here that
// advances `_timer` by one tick and then plays the scripted actions that are
// due, so a test can say "at tick t the left button goes down" and get the
// same result on every run.
#pragma once

#include <cstdint>
#include <functional>

#include "gem/internal.h"

namespace headless {

// Start the layer once per test program (appl_init on the scripted
// platform); later calls set the screen mode `rez` again and reset the
// script, the mouse, the keys, handle and the clip rectangle.
void start(int rez = 0);

// Run `action` once `_timer` has advanced `ticks` beyond its value now.
void after(int32_t ticks, std::function<void()> action);

// Queue a key as Allegro's readkey() gives it: scancode << 8 | character.
void key(int scancode, int character);

// Set the library's mouse state at once (as the background thread would).
void mouse(int x, int y, int buttons);

// Drop every pending action and key.
void clear_script();

// Number of _idle() calls since start() or the last clear_script().
long idles();

}  // namespace headless
