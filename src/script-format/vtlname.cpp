#include "script-format/vtlname.h"

#include <algorithm>

std::string UpperName(std::string_view name)
{
    std::string out(name);
    TUpperBytes bytes(name);
    for (std::size_t i = 0; i < name.size(); ++i) out[i] = static_cast<char>(bytes.At(i));
    return out;
}

int CompareNames(std::string_view a, std::string_view b)
{
    TUpperBytes ua(a), ub(b);
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = ua.At(i), y = ub.At(i);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}
