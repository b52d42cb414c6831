// Tokenizer throughput: reads a VTL source (generated, about 10 MB, unless a
// file is named) with NextToken to the end, several times, and prints the
// median rate in MB/s.
//   tokenizer_bench [--runs N] [--size MB] [FILE]
//   tokenizer_bench --generate FILE [--size MB]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "benchutil.h"
#include "compiler/srcread.h"
#include "vtlgen.h"

int main(int argc, char** argv)
{
    int runs = 7;
    std::size_t sizeMb = 10;
    std::string file, generate;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--size") && i + 1 < argc) sizeMb = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--generate") && i + 1 < argc) generate = argv[++i];
        else file = argv[i];
    }
    if (!generate.empty()) {
        std::string src = GenerateVtlSource(sizeMb * 1000 * 1000);
        if (!BenchWriteFile(generate, src)) {
            std::printf("cannot write %s\n", generate.c_str());
            return 1;
        }
        std::printf("wrote %zu bytes to %s\n", src.size(), generate.c_str());
        return 0;
    }

    std::string bytes = GenerateVtlSource(sizeMb * 1000 * 1000);
    std::vector<double> rates;
    std::size_t tokens = 0, size = 0;
    for (int r = 0; r < runs; ++r) {
        TSrcReader reader = file.empty() ? TSrcReader::FromBytes(bytes) : TSrcReader(file);
        size = reader.Text().size();
        tokens = 0;
        double start = BenchSeconds();
        try {
            while (!reader.NextToken().empty()) ++tokens;
        } catch (const ESrcReaderError& e) {
            std::printf("source error at line %d: %s\n", reader.CurrentLine(), e.what());
            return 1;
        }
        double elapsed = BenchSeconds() - start;
        rates.push_back(static_cast<double>(size) / 1e6 / elapsed);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("tokenizer: %zu bytes, %zu tokens, %d runs: median %.1f MB/s (min %.1f, max %.1f)\n", size, tokens,
                runs, rates[rates.size() / 2], rates.front(), rates.back());
    return 0;
}
