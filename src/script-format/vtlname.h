#pragma once
// VTL names are matched without regard to case. Upper-casing is the ANSI
// one of Shift-JIS: a-z become A-Z, double-byte characters stay whole (a
// trail byte that looks like a lower-case letter is left alone).

#include <string>
#include <string_view>

#include "platform/sjis.h"

// Gives the bytes of a name as upper-casing leaves them; At must be called
// for 0, 1, 2, ... in turn, since a byte's meaning depends on the one before.
class TUpperBytes {
public:
    explicit TUpperBytes(std::string_view s) : s_(s), lead_(SjisLeadByteTable().data()) {}
    unsigned char At(std::size_t i)
    {
        unsigned char b = static_cast<unsigned char>(s_[i]);
        if (trail_) {
            trail_ = false;
            return b;
        }
        if (lead_[b]) {
            trail_ = true;
            return b;
        }
        return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 'a' + 'A') : b;
    }

private:
    std::string_view s_;
    const bool* lead_;
    bool trail_ = false;
};

std::string UpperName(std::string_view name);
// Orders by the upper-cased bytes; <0, 0 or >0.
int CompareNames(std::string_view a, std::string_view b);
inline bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareNames(a, b) == 0;
}

struct TNameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareNames(a, b) < 0; }
};
