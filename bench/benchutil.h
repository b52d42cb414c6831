#pragma once
// What the benchmarks share: a clock, the median of timed runs, writing a file.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Seconds from an arbitrary start, from the performance counter.
inline double BenchSeconds()
{
    static const LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

// The median of several timed runs of the work; prepare, when given, runs
// untimed before each.
inline double MedianSeconds(int runs, const std::function<void()>& work, const std::function<void()>& prepare = {})
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        if (prepare) prepare();
        double start = BenchSeconds();
        work();
        times.push_back(BenchSeconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline bool BenchWriteFile(const std::string& path, const std::string& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
