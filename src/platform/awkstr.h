#pragma once
// The AWK-style regular-expression matcher.
//
// Syntax: literal characters, "." (any character), bracket expressions
// ("[abc]", "[^abc]", ranges "[a-z]", classes "[[:alpha:]]"; "]" first and
// "-" first or last stand for themselves), "*", "+", "?", "|", grouping with
// parentheses, "^" and "$" (start and end of the subject), and backslash
// escapes: \t \n \r \f \v \a \b, \ddd (octal), \xHH, and a backslash before
// any other character for that character itself. As in AWK, a "*", "+" or
// "?" with nothing to repeat and an unmatched ")" stand for themselves, and
// braces have no special meaning.
//
// A Shift-JIS double-byte character is one character everywhere: as a
// literal, for ".", inside brackets and in ranges (ordered by lead byte,
// then trail byte).
//
// Matching reports the leftmost match and, of those starting there, the
// longest, as AWK's match() does. It simulates an automaton: the time is
// linear in the subject for every pattern.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "fuzzydict.h"

class EAWKStrError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TAWKMatch {
    int start = 0;    // 1-based byte position; 0 when there is no match
    int length = -1;  // bytes; -1 when there is no match
    bool Found() const { return start > 0; }
};

class TAWKStr {
public:
    TAWKStr();
    ~TAWKStr();
    TAWKStr(const TAWKStr&) = delete;
    TAWKStr& operator=(const TAWKStr&) = delete;

    // Compiles the pattern; on a syntax error throws EAWKStrError and keeps
    // the previous pattern.
    void SetPattern(std::string_view pattern);
    const std::string& Pattern() const { return pattern_; }

    // When on, characters grouped in the dictionary compare equal.
    void SetFuzzy(bool on) { fuzzy_ = on; }
    bool Fuzzy() const { return fuzzy_; }
    // The dictionary must outlive the matcher (the standard one by default).
    void SetFuzzyDict(const TFuzzyCharDict& dict) { dict_ = &dict; }

    // The leftmost-longest match in the subject. Not safe to call from two
    // threads at once (it reuses its work space).
    TAWKMatch Match(std::string_view subject) const;

    // True when the pattern compiles.
    static bool IsValid(std::string_view pattern);

private:
    struct TProgram;
    std::string pattern_;
    std::unique_ptr<TProgram> program_;
    bool fuzzy_ = false;
    const TFuzzyCharDict* dict_;
};
