/* gem.h - the later combined classic header: everything of the classic
 * profile, with ob_spec as the OBSPEC union and USERBLK's routine as a
 * function pointer, unless an older classic header came first. */
#ifndef GEM_CLASSIC_LATER
#define GEM_CLASSIC_LATER 1
#endif
#include "gem/classic/classic.h"
