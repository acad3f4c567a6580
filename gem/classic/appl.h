// What the profile's application calls share with its tests.
#pragma once

// The layer's screen mode for a GEM_SCREEN value: 0 for "320x200", 1 for
// "640x480", 2 for "800x600"; 1 for none (null or empty), and 1 with a
// message on standard error for anything else.
int _gemc_screen_rez(const char *value);
