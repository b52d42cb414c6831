#pragma once
// The fuzzy character dictionary of the regular-expression matcher: groups
// of characters that compare equal when the fuzzy mode is on. A character
// is a code: a single byte b is b, a double-byte character is
// lead * 256 + trail.

#include <cstdint>
#include <string_view>
#include <vector>

class TFuzzyCharDict {
public:
    TFuzzyCharDict();
    // ASCII and full-width letters regardless of case (Greek and Cyrillic
    // too), full-width and half-width forms (digits, symbols, katakana and
    // their marks), hiragana and katakana, large and small kana.
    static const TFuzzyCharDict& Standard();
    // Each of the 26 ASCII capital letters with its small letter, nothing else.
    static const TFuzzyCharDict& AsciiCase();

    // Puts the characters of a Shift-JIS text into one group, joining the
    // groups they already belong to.
    void AddGroup(std::string_view chars);
    // Pairs the i-th character of a with the i-th character of b.
    void AddPairs(std::string_view a, std::string_view b);

    std::uint16_t Canon(std::uint16_t c) const { return canon_[c]; }
    bool Same(std::uint16_t a, std::uint16_t b) const { return canon_[a] == canon_[b]; }
    // The characters grouped with c, c included.
    const std::vector<std::uint16_t>& GroupOf(std::uint16_t c) const;

private:
    void Join(std::uint16_t a, std::uint16_t b);
    std::vector<std::uint16_t> canon_;   // the smallest code of the character's group
    std::vector<std::uint16_t> group_;   // index into groups_, 0 when alone
    std::vector<std::vector<std::uint16_t>> groups_;
    mutable std::vector<std::uint16_t> single_;
};

// The characters of a Shift-JIS text as codes (the code page's fixed
// lead-byte ranges; a lead byte at the end stands alone).
std::vector<std::uint16_t> SjisCodes(std::string_view s);
