// Timing helpers of the benchmarks: medians of many runs, on the steady clock.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// The median of `runs` timings of the function, in microseconds.
inline double MedianMicroseconds(int runs, const std::function<void()>& function) {
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        function();
        samples.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}

// The median of samples taken by the function itself, in whatever unit it reports.
inline double Median(std::vector<double> samples) {
    std::nth_element(samples.begin(), samples.begin() + samples.size() / 2, samples.end());
    return samples[samples.size() / 2];
}
