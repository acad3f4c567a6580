/* Test programs are applications of the layer: they define the handle. This
 * file is C, so every build also checks that the public header compiles as C. */
#include "gem/gem.h"

int handle = 0;
