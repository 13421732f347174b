#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <vector>

// One run, in milliseconds.
template <typename F>
double elapsedMs(F &&f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

// The median of several runs, in milliseconds: one slow run (a page fault, a
// neighbour's build) does not move it.
template <typename F>
double medianMs(int runs, F &&f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(elapsedMs(f));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
