// Compiler throughput and memory: compiles a generated program (100,000
// lines unless told otherwise) from a file into a key-assign file, several
// times, and prints the median rate in lines per second and the memory the
// compiler took at its peak, against the size of the source.
//   compiler_bench [--runs N] [--lines N] [--generate FILE]
#include <windows.h>
#include <malloc.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "benchutil.h"
#include "compiler/binmaker.h"
#include "compiler/console.h"
#include "vtlprogram.h"

namespace {

// Every allocation of the process is counted, so that the peak of what the
// compiler holds can be told from what Wine and the runtime hold.
std::atomic<long long> gHeapNow{0}, gHeapPeak{0};

void Counted(void* p)
{
    long long now = gHeapNow += static_cast<long long>(_msize(p));
    long long peak = gHeapPeak.load();
    while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
    }
}

}  // namespace

void* operator new(std::size_t n)
{
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    Counted(p);
    return p;
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept
{
    if (!p) return;
    gHeapNow -= static_cast<long long>(_msize(p));
    std::free(p);
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }

namespace {

std::string TempPath(const char* name)
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof dir, dir);
    return std::string(dir) + name;
}

std::size_t PeakWorkingSet()
{
    PROCESS_MEMORY_COUNTERS c{};
    c.cb = sizeof c;
    GetProcessMemoryInfo(GetCurrentProcess(), &c, sizeof c);
    return c.PeakWorkingSetSize;
}

}  // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    std::size_t lines = 100000;
    std::string generate;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--lines") && i + 1 < argc) lines = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--generate") && i + 1 < argc) generate = argv[++i];
    }
    std::string program = GenerateVtlProgram(lines);
    if (!generate.empty()) {
        bool ok = BenchWriteFile(generate, program);
        std::printf(ok ? "wrote %zu bytes to %s\n" : "cannot write %zu bytes to %s\n", program.size(), generate.c_str());
        return ok ? 0 : 1;
    }

    TBinMakerOpt opt;
    opt.SrcName = TempPath("velkc_bench.src");
    opt.BinName = TempPath("velkc_bench.KEY");
    opt.IncPath = TempPath("");
    if (!BenchWriteFile(opt.SrcName, program)) {
        std::printf("cannot write %s\n", opt.SrcName.c_str());
        return 1;
    }
    const std::size_t sourceSize = program.size();
    std::string().swap(program);

    std::vector<double> rates;
    long long heapPeak = 0;
    std::size_t workingSetBefore = PeakWorkingSet();
    for (int r = 0; r < runs; ++r) {
        TStringConsole console;
        const long long before = gHeapNow.load();
        gHeapPeak = before;
        double start = BenchSeconds();
        int code;
        {
            TBinMaker maker(opt, console);
            code = maker.Run();
        }
        double elapsed = BenchSeconds() - start;
        if (code != 0) {
            std::printf("compile failed (%d):\n%s\n", code, console.output.c_str());
            return 1;
        }
        heapPeak = std::max(heapPeak, gHeapPeak.load() - before);
        rates.push_back(static_cast<double>(lines) / elapsed);
    }
    WIN32_FILE_ATTRIBUTE_DATA key{};
    GetFileAttributesExA(opt.BinName.c_str(), GetFileExInfoStandard, &key);
    DeleteFileA(opt.SrcName.c_str());
    DeleteFileA(opt.BinName.c_str());
    DeleteFileA(KeyFileBackupName(opt.BinName).c_str());

    std::sort(rates.begin(), rates.end());
    std::printf("compiler: %zu lines, %zu bytes of source, %lu bytes of key-assign file, %d runs\n", lines, sourceSize,
                key.nFileSizeLow, runs);
    std::printf("  median %.0f lines/s (min %.0f, max %.0f)\n", rates[rates.size() / 2], rates.front(), rates.back());
    std::printf("  peak heap of the compiler %.1f MB = %.2f x the source\n", heapPeak / 1e6,
                static_cast<double>(heapPeak) / static_cast<double>(sourceSize));
    std::printf("  peak working set of the process %.1f MB (%.1f MB before compiling)\n", PeakWorkingSet() / 1e6,
                workingSetBefore / 1e6);
    return 0;
}
