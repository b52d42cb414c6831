#pragma once
// Timing for the benchmarks, with the performance counter.

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

inline double Seconds()
{
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(freq.QuadPart);
}

// The median of several timed runs of the work.
inline double MedianSeconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        double start = Seconds();
        work();
        times.push_back(Seconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
