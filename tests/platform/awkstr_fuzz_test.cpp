// Random patterns and subjects: the matcher never crashes or hangs, bad
// patterns raise EAWKStrError only, and every match it reports is a sound
// span of the subject.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "awkregen.h"
#include "platform/awkstr.h"
#include "platform/sjis.h"

namespace {

std::string RandomPattern(std::mt19937& rng)
{
    static const char* const pieces[] = {"a", "b", ".", "*", "+", "?", "|", "(", ")", "[", "]", "^", "$", "\\",
                                         "-", "[:alpha:]", "{", "ア", "表", "ソ", "\x83", "\\\\", "[^", "x"};
    std::string p;
    for (int n = static_cast<int>(rng() % 16); n > 0; --n) p += pieces[rng() % std::size(pieces)];
    return p;
}

std::string RandomSubject(std::mt19937& rng)
{
    static const char* const pieces[] = {"a", "b", "x", "*", "ア", "表", "ソ", "\\", "\x83", "\n", ""};
    std::string s;
    for (int n = static_cast<int>(rng() % 20); n > 0; --n) s += pieces[rng() % std::size(pieces)];
    return s;
}

void CheckSpan(const TAWKMatch& m, const std::string& subject, const std::string& pattern)
{
    if (!m.Found()) {
        ASSERT_EQ(m.start, 0);
        ASSERT_EQ(m.length, -1);
        return;
    }
    ASSERT_GE(m.start, 1) << pattern;
    ASSERT_GE(m.length, 0) << pattern;
    ASSERT_LE(static_cast<std::size_t>(m.start - 1 + m.length), subject.size()) << pattern;
    // A match starts on a character and never ends inside one.
    std::size_t begin = static_cast<std::size_t>(m.start - 1), end = begin + static_cast<std::size_t>(m.length);
    if (begin < subject.size()) {
        ASSERT_NE(SjisByteKind(subject, begin), TSjisByteKind::Trail) << pattern;
    }
    if (end < subject.size()) {
        ASSERT_NE(SjisByteKind(subject, end), TSjisByteKind::Trail) << pattern;
    }
}

TEST(AWKStrFuzz, RandomPatternsAndSubjects)
{
    std::mt19937 rng(20240607);
    TAWKStr re;
    int compiled = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string pattern = RandomPattern(rng);
        try {
            re.SetPattern(pattern);
            ++compiled;
        } catch (const EAWKStrError&) {
            continue;
        }
        re.SetFuzzy(rng() % 2 == 0);
        for (int k = 0; k < 4; ++k) {
            std::string subject = RandomSubject(rng);
            CheckSpan(re.Match(subject), subject, pattern);
            if (HasFatalFailure()) return;
        }
    }
    EXPECT_GT(compiled, 1000);  // the generator reaches the matcher, not only the parser
}

TEST(AWKStrFuzz, MatchesAreLeftmostAndLongest)
{
    // Against the whole-span test "^(pattern)$": no span starting earlier
    // matches, and no longer span from the reported start does.
    std::mt19937 rng(7);
    TAWKStr re, whole;
    for (int i = 0; i < 3000; ++i) {
        std::string pattern = RandomAwkPattern(rng);
        if (pattern.find_first_of("^$") != std::string::npos) continue;  // anchors mean other things inside
        re.SetPattern(pattern);
        whole.SetPattern("^(" + pattern + ")$");
        std::string subject = RandomAwkSubject(rng);
        TAWKMatch m = re.Match(subject);
        auto spanMatches = [&](std::size_t b, std::size_t e) { return whole.Match(subject.substr(b, e - b)).Found(); };
        std::size_t first = m.Found() ? static_cast<std::size_t>(m.start - 1) : subject.size() + 1;
        for (std::size_t b = 0; b < first && b <= subject.size(); ++b)
            for (std::size_t e = b; e <= subject.size(); ++e)
                if (spanMatches(b, e)) ADD_FAILURE() << "/" << pattern << "/ in \"" << subject << "\" at " << b + 1;
        if (!m.Found()) continue;
        std::size_t end = first + static_cast<std::size_t>(m.length);
        EXPECT_TRUE(spanMatches(first, end)) << "/" << pattern << "/ in \"" << subject << "\"";
        for (std::size_t e = end + 1; e <= subject.size(); ++e)
            if (spanMatches(first, e)) ADD_FAILURE() << "/" << pattern << "/ in \"" << subject << "\" longer to " << e;
    }
}

}  // namespace
