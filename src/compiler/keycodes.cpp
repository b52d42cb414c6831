#include "compiler/keycodes.h"

#include <string>

#include "script-format/binconst.h"

namespace {

struct TKeyCode {
    std::string_view name;
    std::int32_t code;
};

constexpr TKeyCode kCharKeys[kCharKeyCount] = {
    {"K*", 42}, {"K+", 43}, {"K-", 45},  {"K.", 46}, {"K/", 47},  {",", 44},  {":", 58},  {";", 59},
    {"<", 60},  {"=", 61},  {">", 62},   {"?", 63},  {"@", 64},   {"[", 91},  {"\\", 92}, {"]", 93},
    {"^", 94},  {"_", 95},  {"`", 96},   {"{", 123}, {"|", 124}, {"}", 125}, {"~", 126},
};

constexpr TKeyCode kNamedVirtualKeys[] = {
    {"BS", 8},     {"TAB", 9},    {"ENTER", 13}, {"ESC", 27}, {"SPACE", 32}, {"PRIOR", 33},
    {"NEXT", 34},  {"END", 35},   {"HOME", 36},  {"LEFT", 37}, {"UP", 38},   {"RIGHT", 39},
    {"DOWN", 40},  {"INS", 45},   {"DEL", 46},   {"HELP", 47},
};

constexpr TKeyCode kPadOperators[] = {{"T*", 106}, {"T+", 107}, {"T-", 109}, {"T.", 110}, {"T/", 111}};

}  // namespace

TKeyNames::TKeyNames()
{
    for (const TKeyCode& k : kCharKeys) charKeys_.AddInt(k.name, k.code);

    for (const TKeyCode& k : kNamedVirtualKeys) virtualKeys_.AddInt(k.name, k.code);
    for (int i = 0; i <= 9; ++i) virtualKeys_.AddInt("K" + std::to_string(i), 48 + i);
    for (char c = 'A'; c <= 'Z'; ++c) virtualKeys_.AddInt(std::string(1, c), c);
    for (int i = 0; i <= 9; ++i) virtualKeys_.AddInt("T" + std::to_string(i), 96 + i);
    for (const TKeyCode& k : kPadOperators) virtualKeys_.AddInt(k.name, k.code);
    for (int i = 1; i <= 16; ++i) virtualKeys_.AddInt((i < 10 ? "F0" : "F") + std::to_string(i), 111 + i);
}

std::optional<TKeySlot> TKeyNames::SlotOfKeyName(std::string_view name) const
{
    int index = CharKeyIndex(name);
    if (index >= 0) return TKeySlot{true, 0, index, CharKeyCode(index)};
    int combination = StripModifiers(name);
    index = VirtualKeyIndex(name);
    if (index < 0) return std::nullopt;
    return TKeySlot{false, combination, index,
                    bc::kInputVirtualBit | (combination << 16) | VirtualKeyCode(index)};
}
