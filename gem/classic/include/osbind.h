/* osbind.h - a classic header name: everything of the classic profile. */
#include "gem/classic/classic.h"
