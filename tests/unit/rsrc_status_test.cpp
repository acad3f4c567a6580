// A resource file the layer cannot use ends the program with a failure
// status, whatever is wrong with it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "gem/internal.h"

namespace {

class RsrcStatusDeath : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, rsrc_include(_guirsh)); }
    void TearDown() override { rsrc_include(_guirsh); }
};

std::string temp_file(const unsigned char *bytes, size_t size)
{
    char path[] = "/tmp/rsrc_status_XXXXXX";
    const int fd = mkstemp(path);
    FILE *f = fdopen(fd, "wb");
    fwrite(bytes, 1, size, f);
    fclose(f);
    return path;
}

TEST_F(RsrcStatusDeath, RefusedFilesEndWithStatusOne)
{
    const std::string cut = temp_file(_guirsh, 10);
    struct Case {
        std::string path, said;
    } cases[] = {{"/nonexistent/dir/none.rsc", "cannot be opened"}, {cut, "is cut short"}};
    for (const Case &c : cases)
        EXPECT_EXIT(rsrc_load(c.path.c_str()), ::testing::ExitedWithCode(1), c.said) << c.path;
    remove(cut.c_str());
}

}  // namespace
