#pragma once
// Random regular expressions and subjects for the matcher's fuzz test and
// for the comparison with gawk.

#include <random>
#include <string>

// A valid AWK pattern over a, b, c built from every construct the matcher
// shares with gawk: literals, ".", brackets, ranges, negation, "*", "+", "?",
// "|", groups, anchors and escaped metacharacters.
inline std::string RandomAwkPattern(std::mt19937& rng, int depth = 0)
{
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::string out;
    int pieces = 1 + pick(depth == 0 ? 4 : 3);
    for (int i = 0; i < pieces; ++i) {
        switch (pick(depth < 2 ? 14 : 12)) {
        case 0: case 1: case 2: out += static_cast<char>('a' + pick(3)); break;
        case 3: out += '.'; break;
        case 4: out += "[ab]"; break;
        case 5: out += "[^a]"; break;
        case 6: out += pick(2) ? "[a-b]" : "[b-c.]"; break;
        case 7: out += pick(2) ? "\\." : "\\*"; break;
        // Anchors only at the ends of the whole pattern: gawk's own matcher
        // misses matches when an anchor sits in a repeated group
        // ("(b|^a)+" finds nothing in "aabb").
        case 8: out += i == 0 && depth == 0 ? '^' : 'c'; break;
        case 9: out += i == pieces - 1 && depth == 0 ? '$' : 'b'; break;
        case 10: out += "x"; break;
        case 11: out += "[[:alpha:]]"; break;
        default: out += "(" + RandomAwkPattern(rng, depth + 1) + (pick(2) ? "|" + RandomAwkPattern(rng, depth + 1) : "") + ")";
        }
        if (!out.empty() && out.back() != '^' && out.back() != '$') {
            int q = pick(8);
            if (q == 0) out += '*';
            else if (q == 1) out += '+';
            else if (q == 2) out += '?';
        }
    }
    if (depth == 0 && pick(5) == 0) out += "|" + RandomAwkPattern(rng, 1);
    return out;
}

inline std::string RandomAwkSubject(std::mt19937& rng)
{
    static const char alphabet[] = "aaabbbccx.*";
    std::string s(rng() % 12, ' ');
    for (char& c : s) c = alphabet[rng() % (sizeof alphabet - 1)];
    return s;
}
