#pragma once
// The system's message text for an error code, in the ANSI code page.

#include <string>

// Trailing blanks, line breaks and full stops are cut off; an unknown code
// gives the empty text.
std::string SysErrorMessage(unsigned long code);
