#include <gtest/gtest.h>

#include <string>

#include "panes/attrmask.h"
#include "panes/fileinfo.h"

namespace {

using namespace file_attr;

TEST(AttrMask, Lines)
{
    struct Case {
        const char* line;
        bool valid;
        const char* text;
    };
    const Case cases[] = {
        {"RHSACD", true, "RHSACD"}, {"rhsacd", true, "RHSACD"}, {"******", true, "******"},
        {"r-*-**", true, "R-*-**"}, {"R*****", true, "R*****"}, {"*****", false, ""},
        {"*******", false, ""},     {"H*****", false, ""},      {"R****X", false, ""},
        {"", false, ""},
    };
    for (const Case& c : cases) {
        TAttrMask m;
        EXPECT_EQ(TAttrMask::TryParse(c.line, m), c.valid) << c.line;
        if (c.valid) {
            EXPECT_EQ(m.Text(), c.text);
        }
    }
}

TEST(AttrMask, WhichEntriesPass)
{
    struct Case {
        const char* text;
        std::uint32_t attributes;
        bool passes;
    };
    const Case cases[] = {
        {"", kHidden, true},                         // an empty list passes all
        {"******", kHidden, true},
        {"R*****", kReadOnly | kArchive, true},
        {"R*****", kArchive, false},
        {"r-*-**", kReadOnly | kSystem, true},       // read-only, not hidden, not archive
        {"r-*-**", kReadOnly | kHidden, false},
        {"r-*-**", kReadOnly | kArchive, false},
        {"*****D\r\n-*****", kDirectory | kReadOnly, true},  // any line
        {"*****D\r\n-*****", kReadOnly, false},
        {"****C*", kCompressed, true},
    };
    for (const Case& c : cases) {
        TAttrMaskList list;
        list.SetText(c.text);
        EXPECT_EQ(list.Passes(c.attributes), c.passes) << c.text << " " << c.attributes;
    }
}

TEST(AttrMask, InvalidTextChangesNothing)
{
    TAttrMaskList list;
    EXPECT_EQ(list.Text(), "******");
    list.SetText("R*****\n*-****");
    EXPECT_EQ(list.Text(), "R*****\r\n*-****");
    try {
        list.SetText("R*****\r\nR****");
        FAIL() << "accepted";
    } catch (const EAttrMaskError& e) {
        EXPECT_STREQ(e.what(), "invalid mask string");
    }
    EXPECT_EQ(list.Text(), "R*****\r\n*-****");
}

}  // namespace
