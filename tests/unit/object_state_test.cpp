// The whole state of an object as one OS_* word, split between the flag
// byte and ob_xstate, and the value an OX_INDIRECT object's ob_spec points at.
#include <gtest/gtest.h>

#include "gem/internal.h"

TEST(ObjectState, WordSplitsBetweenFlagsAndExtendedStateAndBack)
{
    struct Case {
        int state;
        unsigned char flags;    // expected OF_* state bits
        unsigned short xstate;  // expected ob_xstate
    };
    const Case cases[] = {
        {OS_NORMAL, 0, 0},
        {OS_SELECTED, OF_SELECTED, 0},
        {OS_CHECKED | OS_DISABLED, OF_CHECKED | OF_DISABLED, 0},
        {OS_CROSSED | OS_OUTLINED | OS_SHADOWED, 0, OS_CROSSED | OS_OUTLINED | OS_SHADOWED},
        {0xff00 | OS_SELECTED | OS_DRAW3D, OF_SELECTED, 0xff00 | OS_DRAW3D},
    };
    for (const Case &c : cases) {
        OBJECT ob{};
        ob.ob_flags = OF_EXIT | OF_FRAMED | OF_SELECTED | OF_CHECKED | OF_DISABLED;
        _ob_set_state(&ob, c.state);
        EXPECT_EQ(OF_EXIT | OF_FRAMED | c.flags, ob.ob_flags) << c.state << ": behaviour bits kept";
        EXPECT_EQ(c.xstate, ob.ob_xstate) << c.state;
        EXPECT_EQ(c.state, _ob_state(&ob)) << "round trip";
    }
}

TEST(ObjectState, IndirectSpecIsReadThroughItsPointer)
{
    long real = 0x1234;
    OBJECT ob{};
    ob.ob_spec = 7;
    EXPECT_EQ(7, _ob_spec(&ob));
    ob.ob_xflags = OX_INDIRECT;
    ob.ob_spec = (long)&real;
    EXPECT_EQ(0x1234, _ob_spec(&ob));
    ob.ob_spec = 0;
    EXPECT_EQ(0, _ob_spec(&ob)) << "a null pointer reads as 0";
}
