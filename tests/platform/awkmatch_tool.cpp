// Prints generated ASCII cases with the matcher's answers, one per line:
// pattern TAB subject TAB start TAB length. awk_vs_gawk.sh asks gawk the
// same questions and compares.
//   awkmatch_tool [COUNT] [SEED]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "awkregen.h"
#include "platform/awkstr.h"

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 4000;
    unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    std::mt19937 rng(seed);
    TAWKStr re;
    for (int i = 0; i < count; ++i) {
        std::string pattern = RandomAwkPattern(rng);
        std::string subject = RandomAwkSubject(rng);
        try {
            re.SetPattern(pattern);
            TAWKMatch m = re.Match(subject);
            std::printf("%s\t%s\t%d\t%d\n", pattern.c_str(), subject.c_str(), m.start, m.length);
        } catch (const EAWKStrError&) {
            std::printf("%s\t%s\terror\terror\n", pattern.c_str(), subject.c_str());
        }
    }
    return 0;
}
