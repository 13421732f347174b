#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <vector>

// The median of several runs, in milliseconds: one slow run (a page fault, a
// neighbour's build) does not move it.
template <typename F>
double medianMs(int runs, F &&f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
