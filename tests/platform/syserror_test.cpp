#include <gtest/gtest.h>

#include <windows.h>

#include "platform/syserror.h"

TEST(SysErrorMessage, TheSystemsTextWithoutItsEnd)
{
    char raw[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND, 0, raw,
                   sizeof raw, nullptr);
    const std::string text = SysErrorMessage(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(std::string(raw).rfind(text, 0), 0u);  // the start of the system's text
    const char last = text.back();
    EXPECT_TRUE(last != '\n' && last != '\r' && last != ' ' && last != '.') << text;
    EXPECT_EQ(SysErrorMessage(0x2000FFFF), "");  // no such message
}
