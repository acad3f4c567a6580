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
#include <vector>

#include "gem/internal.h"

namespace headless {

// Start the layer once per test program (appl_init on the scripted
// platform); later calls set the screen mode `rez` again and reset the
// script, the mouse, the keys, handle and the clip rectangle, close the
// dialogs a test left open and put the built-in trees back as start-up
// left them.
void start(int rez = 0);

// start(0) with the pointer resting at (x, y) and already polled there, and
// the script empty: the first poll of a test reports no movement.
void start_at(int x, int y);

// start(rez) with the screen shown k times larger in a window as on a large
// display; window() is that window, a memory bitmap here, and the mouse
// given to mouse() and click() is in its pixels.
void start_scaled(int rez, int k);
BITMAP *window();

// Run `action` once `_timer` has advanced `ticks` beyond its value now.
void after(int32_t ticks, std::function<void()> action);

// Queue a key as Allegro's readkey() gives it: scancode << 8 | character.
void key(int scancode, int character);

// Set the library's mouse state at once (as the background thread would).
void mouse(int x, int y, int buttons);

// A press of `buttons` at (x, y) held for two ticks, `at` ticks from now
// (the pointer moves there two ticks before).
void click(int32_t at, int x, int y, int buttons = 1);

// Every pixel of the visible screen, row by row.
std::vector<unsigned char> screen_pixels();

// Puts back every saved dialog area still open, innermost first.
void close_dialogs();

// Drop every pending action and key.
void clear_script();

// Number of _idle() calls since start() or the last clear_script().
long idles();

}  // namespace headless
