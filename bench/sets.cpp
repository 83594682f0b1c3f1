// Sets of a million whole-degree axes, k = 3, ten iterations, five starts:
// the median of seven runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "qzCore/analysis/Clusters.h"

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::mt19937 random(1);
    std::normal_distribution<double> spread(0.0, 8.0);
    const double centres[3][2] = {{40, 10}, {130, 60}, {250, 30}};
    std::vector<double> trends, plunges;
    for (long i = 0; i < n; ++i) {
        const double* c = centres[i % 3];
        trends.push_back(std::round(c[0] + spread(random)));
        plunges.push_back(std::round(std::clamp(c[1] + spread(random), -90.0, 90.0)));
    }
    qzCore::ClusterOptions o;
    o.sets = 3;
    std::vector<double> seconds;
    int sets = 0;
    for (int run = 0; run < 7; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        sets = qzCore::clusterAxes(trends, plunges, o).sets;
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("axes %ld, sets %d, median %.3f s\n", n, sets, seconds[3]);
    return 0;
}
