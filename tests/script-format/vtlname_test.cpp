#include <gtest/gtest.h>

#include "script-format/vtlname.h"

namespace {

TEST(VtlName, UpperCasesAsciiLettersOnly)
{
    EXPECT_EQ(UpperName("setNum_1#$"), "SETNUM_1#$");
    // The trail byte of ヂ (83 61) is no letter.
    EXPECT_EQ(UpperName("aヂz"), "AヂZ");
}

TEST(VtlName, ComparesWithoutRegardToCase)
{
    EXPECT_TRUE(SameName("SetNum", "SETNUM"));
    EXPECT_FALSE(SameName("SetNum", "SetNu"));
    // ヂ (83 61) and ア (83 41) differ, although upper-casing their trail
    // bytes would make them alike.
    EXPECT_FALSE(SameName("ヂ", "ア"));
    EXPECT_LT(CompareNames("alpha", "BETA"), 0);
    EXPECT_LT(CompareNames("AB", "abc"), 0);
    EXPECT_GT(CompareNames("_", "z"), 0);  // upper-cased: 0x5F against 0x5A
    EXPECT_EQ(CompareNames("Default", "DEFAULT"), 0);
}

}  // namespace
