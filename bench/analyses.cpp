// Times the analyses: Fisher and tensor of N records, the DE fit (default
// 40 members, 1000 generations) and the grid search on M data.
//
//   bench_analyses [records] [fit data] [runs]   (defaults 1000000, 10000, 5)
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>

#include "common.h"

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    const long m = argc > 2 ? std::atol(argv[2]) : 10000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    qzCore::ErrorManager errors;
    qzCore::Data big(qzCore::ComplexFileName("big"), &errors, 1);
    bench::fillMixed(big, n);
    qzCore::Data small(qzCore::ComplexFileName("small"), &errors, 2);
    bench::fillMixed(small, m);

    std::deque<qzCore::GeoData*> all(big.getDataList().begin(), big.getDataList().end());
    std::deque<qzCore::GeoData*> few(small.getDataList().begin(), small.getDataList().end());
    std::list<qzCore::SpecialData> out;
    qzCore::AnalyzeResults results(out);
    qzCore::AnalyzeParams bigParams(all, true, false);
    qzCore::AnalyzeParams smallParams(few, true, false);
    qzCore::Analyzer onBig(bigParams, results), onSmall(smallParams, results);

    const double fisher = bench::medianSeconds(runs, [&] { out.clear(); }, [&] { onBig.computeFisher(nullptr); });
    const double tensor = bench::medianSeconds(runs, [&] { out.clear(); }, [&] { onBig.computeTensor(nullptr); });
    qzCore::LeastSquaresParams grid;
    grid.setUseDESearch(false);
    grid.setUseBruteForce(true);
    const double gridTime = bench::medianSeconds(runs, [&] { out.clear(); }, [&] { onSmall.computeLeastSquares(&grid); });
    qzCore::LeastSquaresParams de;
    de.getDESolverParams().setSeed(-1);
    // The solver reports every generation on standard error: keep it quiet here.
    std::ostringstream sink;
    std::streambuf* saved = std::cerr.rdbuf(sink.rdbuf());
    const double deTime = bench::medianSeconds(runs, [&] { out.clear(); sink.str(""); }, [&] { onSmall.computeLeastSquares(&de); });
    std::cerr.rdbuf(saved);
    std::printf("records %ld, fit data %ld, runs %d\n", n, m, runs);
    std::printf("Fisher       median %.4f s\n", fisher);
    std::printf("tensor       median %.4f s\n", tensor);
    std::printf("grid search  median %.4f s\n", gridTime);
    std::printf("DE fit       median %.4f s\n", deTime);
    return 0;
}
