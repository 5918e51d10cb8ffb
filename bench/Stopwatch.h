// Wall-clock timing of one operation, and the median of repeated runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <limits>
#include <vector>

class Stopwatch {
public:
    Stopwatch() noexcept { ::QueryPerformanceCounter(&m_start); }

    double ElapsedMs() const noexcept
    {
        LARGE_INTEGER now{};
        LARGE_INTEGER frequency{};
        ::QueryPerformanceCounter(&now);
        ::QueryPerformanceFrequency(&frequency);
        return 1000.0 * static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start{};
};

// Not a number when there is no sample (a run that failed): the table shows no result.
inline double Median(std::vector<double> samples)
{
    if (samples.empty())
        return std::numeric_limits<double>::quiet_NaN();
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2.0;
}

// Runs prepare and action once untimed (first-use costs: caches, loaded modules, glyphs), then
// `runs` times with only the action timed; `settle` follows every action, untimed.
template <class Prepare, class Action, class Settle>
double MedianMs(int runs, Prepare prepare, Action action, Settle settle)
{
    prepare(-1);
    action(-1);
    settle();
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        prepare(run);
        const Stopwatch watch;
        action(run);
        samples.push_back(watch.ElapsedMs());
        settle();
    }
    return Median(std::move(samples));
}

template <class Action>
double MedianMs(int runs, Action action)
{
    return MedianMs(
        runs, [](int) {}, action, [] {});
}
