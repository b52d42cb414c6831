#pragma once
// Wildcard masks for file names: "*", "?" and byte sets in angle brackets
// ("<a-c>", "<!xyz>"; square brackets are legal in file names), several
// masks in one string separated by "|". Masks work on Shift-JIS bytes and
// keep double-byte characters whole.

#include <bitset>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class EOruMatchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TOruMask {
public:
    // At most this many "*" may precede a step.
    static constexpr int kMaxStars = 30;

    // Throws EOruMatchError "'mask' is an invalid mask at (n)".
    TOruMask(std::string_view mask, bool exactCase);
    bool Match(std::string_view name) const;

private:
    enum class TStepKind : std::uint8_t { Literal, Any, Set, DoubleByte, End };
    struct TStep {
        explicit TStep(TStepKind k) : kind(k) {}
        TStepKind kind;
        bool star = false;
        bool negated = false;
        unsigned char b1 = 0, b2 = 0;
        std::bitset<256> set;
    };
    // Bytes the step takes when it matches at name[pos], or -1.
    int MatchAt(const TStep& step, std::string_view name, std::size_t pos) const;

    std::vector<TStep> steps_;
    bool exactCase_;
};

// The masks of a "|"-separated string, empty ones dropped. Throws
// EOruMatchError for a misplaced "<" or ">", a "|" inside a set, or a lead
// byte at the very end.
std::vector<std::string> SplitMasks(std::string_view maskString);
// True when the name matches one of the string's masks, tried in order;
// every failure is raised as EOruMatchError.
bool MatchMask(std::string_view name, std::string_view maskString, bool exactCase);
// A mask string compiled once for matching many names; Match answers as
// MatchMask does for the same string, raising the same errors.
class TOruMaskList {
public:
    TOruMaskList(std::string_view maskString, bool exactCase);
    bool Match(std::string_view name) const;

private:
    std::vector<TOruMask> masks_;  // the masks before the first invalid one
    std::string error_;            // why the rest of the string is invalid
    bool failed_ = false;
};
// True when every mask of the string compiles.
bool IsValidMask(std::string_view maskString);
