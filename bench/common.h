// Helpers shared by the benchmark programs.
#ifndef QZCORE_BENCH_COMMON_H
#define QZCORE_BENCH_COMMON_H

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "qzCore/qzCore.h"

namespace bench {

/// Median wall time, in seconds, of `runs` calls of `f` (each after `setup`).
inline double medianSeconds(int runs, const std::function<void()>& setup, const std::function<void()>& f) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        setup();
        const auto a = std::chrono::steady_clock::now();
        f();
        const auto b = std::chrono::steady_clock::now();
        t.push_back(std::chrono::duration<double>(b - a).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

/// Fills a dataset with `n` records: planes, lines and faults in turn, each
/// with a short comment.
inline void fillMixed(qzCore::Data& data, long n) {
    using K = qzCore::GDTypes;
    char comment[32];
    for (long i = 0; i < n; ++i) {
        qzCore::DataStruct d;
        qzCore::TokenStruct t;
        const int a = int((i * 7) % 360), b = int((i * 13) % 91);
        switch (i % 3) {
            case 0:
                d.setGDType(K::GDType_Plane);
                d.setStrike(a);
                d.setDip(b);
                break;
            case 1:
                d.setGDType(K::GDType_Line);
                d.setTrend(a);
                d.setPlunge(b);
                break;
            default:
                d.setGDType(K::GDType_Fault);
                d.setStrike(a);
                d.setDip(b);
                d.setRake(90);
                d.setTrend((a + 90) % 360);
                d.setPlunge(b);
                d.setSlipType(qzCore::GDSlipTypes::GDSlipType_NormalSlip);
                break;
        }
        std::snprintf(comment, sizeof comment, "obs %ld", i % 1000);
        t.setComment(comment);
        data.insertData(d, t);
    }
}

}  // namespace bench

#endif  // QZCORE_BENCH_COMMON_H
