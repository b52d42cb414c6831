// Speed of the text libraries: regular expressions over many file names and
// on pathological patterns, the pathological wildcard mask, and digest
// throughput. Prints the median of several runs for each and its target.
//   textlibs_bench [--runs N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "benchutil.h"
#include "platform/awkstr.h"
#include "platform/digest.h"
#include "platform/orumask.h"

namespace {

// File names as a disk holds them: words, numbers, Japanese names, several
// extensions.
std::vector<std::string> FileNames(std::size_t count)
{
    static const char* const stems[] = {"report", "写真", "IMG_", "readme", "表計算", "setup", "データ", "backup"};
    static const char* const exts[] = {".txt", ".jpg", ".doc", ".TXT", ".txt.bak", ".lzh", ".zip", ""};
    std::vector<std::string> names;
    names.reserve(count);
    unsigned x = 1;
    for (std::size_t i = 0; i < count; ++i) {
        x = x * 1103515245u + 12345u;
        std::string n = stems[x >> 8 & 7];
        if (x >> 12 & 1) n += std::to_string(x >> 16 & 0x3FFF);
        n += exts[x >> 20 & 7];
        names.push_back(n);
    }
    return names;
}

int volatile sink;

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));

    {
        std::vector<std::string> names = FileNames(1000000);
        TAWKStr re;
        re.SetPattern("[0-9]+\\.txt$");
        int hits = 0;
        double t = MedianSeconds(runs, [&] {
            hits = 0;
            for (const std::string& n : names) hits += re.Match(n).Found();
        });
        std::printf("regex [0-9]+\\.txt$ over 1,000,000 names: %.3f s, %d matches (target < 1 s)\n", t, hits);
        re.SetFuzzy(true);
        t = MedianSeconds(runs, [&] {
            hits = 0;
            for (const std::string& n : names) hits += re.Match(n).Found();
        });
        std::printf("  the same, fuzzy dictionary on: %.3f s, %d matches\n", t, hits);
    }
    for (const char* pattern : {"(a|aa)*b", "(a*)*b", "(a|a)*b", "(.*)*x"}) {
        std::string subject(10000, 'a');
        TAWKStr re;
        re.SetPattern(pattern);
        double t = MedianSeconds(runs, [&] { sink = re.Match(subject).start; });
        std::printf("regex %-9s against 10,000 \"a\": %.2f ms (target: a few ms)\n", pattern, t * 1e3);
    }
    {
        std::string mask;
        for (int i = 0; i < 30; ++i) mask += "*a";
        for (std::size_t len : {260u, 10000u}) {
            std::string fail(len, 'a');
            fail += 'b';
            TOruMask m(mask, false);
            double t = MedianSeconds(runs, [&] { sink = m.Match(fail); });
            std::printf("mask 30 x \"*a\" against %zu \"a\" and \"b\": %.3f ms (target well under 1 ms for a name)\n",
                        len, t * 1e3);
        }
    }
    {
        std::string data(64 << 20, '\0');
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 2654435761u >> 13);
        TMd5 md5;
        TSha1 sha1;
        TSha256 sha256;
        TSha512 sha512;
        struct Item {
            const char* name;
            TDigest* digest;
            int target;
        } items[] = {{"MD5", &md5, 300}, {"SHA-1", &sha1, 0}, {"SHA-256", &sha256, 150}, {"SHA-512", &sha512, 0}};
        for (const Item& it : items) {
            double t = MedianSeconds(runs, [&] { sink = DigestHex(*it.digest, data)[0]; });
            std::printf("%-8s %.0f MB/s", it.name, static_cast<double>(data.size()) / 1e6 / t);
            if (it.target) std::printf(" (target >= %d MB/s)", it.target);
            std::printf("\n");
        }
        double t = MedianSeconds(runs, [&] { sink = static_cast<int>(TCrc32::Of(data)); });
        std::printf("CRC-32   %.0f MB/s (target >= 500 MB/s)\n", static_cast<double>(data.size()) / 1e6 / t);
    }
    return 0;
}
