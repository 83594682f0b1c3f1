// Rock-slope kinematics: every plane test over a million whole-degree
// planes, and every pair of 2,000 planes (1,999,000 wedges); the median
// of seven runs each.  Writes the planes as mplstereonet reads them
// (dip, dip direction) when given a file name, for the peer's timing.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <vector>

#include "qzCore/analysis/Kinematics.h"

namespace {

void planes(long n, std::vector<int>& dd, std::vector<int>& dip) {
    std::mt19937 random(24);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    dd.clear();
    dip.clear();
    for (long i = 0; i < n; ++i) {
        dd.push_back(int(u(random) * 360.0));
        dip.push_back(int(std::lround(std::acos(u(random)) * 180.0 / M_PI)));  // uniform poles
    }
}

template <typename F>
double median(F run) {
    std::vector<double> s;
    for (int i = 0; i < 7; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        s.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(s.begin(), s.end());
    return s[3];
}

}  // namespace

int main(int argc, char** argv) {
    const qzCore::SlopeFace face{270.0, 75.0, 35.0, 20.0};
    std::vector<int> dd, dip;
    planes(1000000, dd, dip);
    qzCore::KinematicLimits noPairs;
    noPairs.maxPairs = 0;
    qzCore::KinematicTally t;
    const double planeTests = median([&] { t = qzCore::kinematicTally(face, dd, dip, noPairs); });
    std::printf("planes %zu: planar %zu, flexural %zu, median %.4f s\n", t.planes, t.planarMain, t.flexuralMain,
                planeTests);
    planes(2000, dd, dip);
    const double pairs = median([&] { t = qzCore::kinematicTally(face, dd, dip); });
    std::printf("planes %zu, pairs %zu: wedges %zu + %zu, median %.4f s\n", t.planes, t.intersecting, t.wedgeMain,
                t.wedgeSecondary, pairs);
    if (argc > 1) {
        std::ofstream out(argv[1]);
        for (std::size_t i = 0; i < dd.size(); ++i) out << dip[i] << ',' << dd[i] << '\n';
    }
    return 0;
}
