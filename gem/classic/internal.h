// What the classic profile's sources share: the layer's internals, the
// profile's header without its classic names, and the helpers below.
#pragma once

#include "gem/internal.h"
#define GEM_CLASSIC_IMPLEMENTATION 1
#include "gem/classic/classic.h"
