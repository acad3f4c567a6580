// The layer's version as the library was built, for a program to report or
// to compare with the GEM_VERSION_* macros of the header it was built with.
#include "gem/gem.h"

const char *gem_version(void) { return GEM_VERSION_STRING; }
