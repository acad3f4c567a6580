// The classic application calls beside the layer's: appl_init's id and
// screen, an appl_exit that returns, and outs and buffers of either width.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "gem/classic/appl.h"
#include "gem/classic/internal.h"
#include "support/headless.h"

namespace {

TEST(ClassicAppl, ScreenFromTheEnvironment)
{
    struct Case {
        const char *value;
        int rez;
        bool complains;
    } cases[] = {
        {nullptr, 1, false},   {"", 1, false},        {"320x200", 0, false},
        {"640x480", 1, false}, {"800x600", 2, false}, {"1024x768", 1, true},
        {"640x4800", 1, true}, {"320X200", 1, true},  {" 320x200", 1, true},
    };
    for (const Case &c : cases) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(_gemc_screen_rez(c.value), c.rez) << (c.value ? c.value : "(none)");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.find("GEM_SCREEN") != std::string::npos, c.complains) << said;
    }
}

TEST(ClassicAppl, InitOnTheRunningLayerGivesIdZero)
{
    headless::start(2);
    gl_apid = -1;
    gl_ap_version = 0;
    EXPECT_EQ(gemc_appl_init(), 0);
    EXPECT_EQ(gl_apid, 0);
    EXPECT_EQ(gl_ap_version, 0x0140);
    EXPECT_EQ(_scrwid, 800);  // the running mode is kept
}

using ClassicApplDeath = testing::Test;

// The process goes on after appl_exit: the child ends with its own status.
TEST(ClassicApplDeath, ExitReturnsToTheProgram)
{
    headless::start(1);
    EXPECT_EXIT(
        {
            const int r = gemc_appl_exit();
            std::exit(r == 1 && _mousebmp == nullptr ? 7 : 1);
        },
        testing::ExitedWithCode(7), "");
}

TEST(ClassicApplDeath, InitAfterExitOpensTheScreenTheEnvironmentNames)
{
    headless::start(1);
    EXPECT_EXIT(
        {
            gemc_appl_exit();
            // The memory platform starts its library once per process; a
            // real one starts it again.
            _gemio->start = [] { install_allegro(SYSTEM_NONE, &errno, atexit); };
            setenv("GEM_SCREEN", "320x200", 1);
            const int id = gemc_appl_init();
            std::exit(id == 0 && _scrwid == 320 && _scrht == 200 && _mousebmp ? 7 : 1);
        },
        testing::ExitedWithCode(7), "");
}

TEST(ClassicAppl, WriteAndReadInTheBuffersWidth)
{
    headless::start(1);
    const long two[16] = {WM_TOPPED, 0, 0, 2, 10, 20, 30, 40, WM_CLOSED, 0, 0, 2, 0, 0, 0, 0};
    EXPECT_EQ(gemc_appl_write(0, 32, GEMC_CREF(two)), 1);
    int got[16];
    EXPECT_EQ(gemc_appl_read(0, 32, GEMC_REF(got)), 1);
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(got[i], two[i]) << i;
}

TEST(ClassicAppl, WriteAndReadRefuseWhatIsNotWholeMessages)
{
    headless::start(1);
    short msg[8] = {WM_TOPPED, 0, 0, 1, 0, 0, 0, 0};
    const int lengths[] = {0, -16, 15, 17, 16 * (GEM_QUEUE_SIZE + 1)};
    for (int length : lengths) {
        EXPECT_EQ(gemc_appl_write(0, length, GEMC_REF(msg)), 0) << length;
        EXPECT_EQ(gemc_appl_read(0, length, GEMC_REF(msg)), 0) << length;
    }
    EXPECT_EQ(gemc_appl_write(0, 16, GEMC_REF(nullptr)), 0);
    EXPECT_EQ(gemc_appl_write(1, 16, GEMC_REF(msg)), 0);  // another application
    EXPECT_EQ(_msg_count(), 0);
}

TEST(ClassicAppl, GetinfoAndSearchOutsInTheCallersWidth)
{
    headless::start(1);
    for (int type = 0; type <= 14; type++) {
        short s[4] = {-9, -9, -9, -9};
        int i[4] = {-9, -9, -9, -9};
        const int layer = appl_getinfo(type, &s[0], &s[1], &s[2], &s[3]);
        EXPECT_EQ(gemc_appl_getinfo(type, GEMC_REF(&i[0]), GEMC_REF(&i[1]), GEMC_REF(&i[2]),
                                    GEMC_REF(&i[3])),
                  layer);
        for (int k = 0; k < 4; k++)
            EXPECT_EQ(i[k], s[k]) << type << " " << k;
    }
    char name[9];
    long type = 0, id = -1;
    EXPECT_EQ(gemc_appl_search(0, name, GEMC_REF(&type), GEMC_REF(&id)), 1);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(gemc_appl_search(2, name, GEMC_REF(&type), GEMC_REF(&id)), 0);
}

}  // namespace
