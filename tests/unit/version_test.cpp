// The version: what the library reports is what its header says, and the
// string is the three numbers the header gives one by one.
#include <gtest/gtest.h>

#include <string>

#include "gem/gem.h"

// Programs compare versions in the preprocessor; the numbers must work there.
#if !(GEM_VERSION_MAJOR >= 0 && GEM_VERSION_MINOR >= 0 && GEM_VERSION_PATCH >= 0)
#error "the GEM_VERSION_* numbers are not plain integers"
#endif

namespace {

TEST(Version, LibraryHeaderAndNumbersAgree)
{
    EXPECT_STREQ(gem_version(), GEM_VERSION_STRING);
    EXPECT_EQ(std::to_string(GEM_VERSION_MAJOR) + "." + std::to_string(GEM_VERSION_MINOR) + "." +
                  std::to_string(GEM_VERSION_PATCH),
              GEM_VERSION_STRING);
}

}  // namespace
