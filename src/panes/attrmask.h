#pragma once
// Attribute filters of a pane: lines of six characters for read-only,
// hidden, system, archive, compressed and directory ("R*****": read-only
// entries only), each the attribute's letter (set), "-" (clear) or "*"
// (either), without regard to case.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class EAttrMaskError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TAttrMask {
public:
    enum class TNeed : std::uint8_t { Set, Clear, Any };
    // False when the line is not a valid mask.
    static bool TryParse(std::string_view line, TAttrMask& mask);

    bool Open() const;
    bool Matches(std::uint32_t attributes) const;
    std::string Text() const;

private:
    std::array<TNeed, 6> need_{};
};

class TAttrMaskList {
public:
    // Replaces the list by the lines of text; a text with an invalid line
    // raises EAttrMaskError "invalid mask string" and changes nothing.
    void SetText(std::string_view text);
    // The lines joined by CR LF; "******" for an empty list.
    std::string Text() const;

    // An entry passes an empty list, a list of open lines only, or one line
    // that its attribute word matches.
    bool Passes(std::uint32_t attributes) const;
    bool Empty() const { return masks_.empty(); }
    bool operator==(const TAttrMaskList& other) const { return Text() == other.Text(); }

private:
    std::vector<TAttrMask> masks_;
};
