// Subsets and sorts a dataset of mixed records by strike.
//
//   bench_reshape [records] [runs]     (defaults 1000000 and 5)
#include <cstdio>
#include <cstdlib>
#include <list>
#include <memory>

#include "common.h"

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    qzCore::ErrorManager errors;
    qzCore::Data data(qzCore::ComplexFileName("d"), &errors, 1);
    bench::fillMixed(data, n);

    qzCore::SubsetParams p;
    p.m_usePlaneRanges = true;
    p.setCriteria(qzCore::SubsetParams::Subset_PlaneStrike);
    p.m_planeStrike = {90, 270};
    std::size_t kept = 0;
    const double subsetRefs = bench::medianSeconds(runs, [] {}, [&] {
        std::list<unsigned int> refs;
        data.subset(p, &refs);
        kept = refs.size();
    });

    // A fresh dataset for each run, as a loaded file would be.
    std::unique_ptr<qzCore::Data> fresh;
    auto refill = [&] {
        fresh.reset();
        fresh = std::make_unique<qzCore::Data>(qzCore::ComplexFileName("c"), &errors, 2);
        bench::fillMixed(*fresh, n);
    };
    const double subsetInPlace = bench::medianSeconds(runs, refill, [&] { fresh->subset(p, nullptr); });
    const double sort =
        bench::medianSeconds(runs, refill, [&] { fresh->sortData(qzCore::SortByField(12, true, true)); });

    std::printf("records %ld, runs %d, subset keeps %zu\n", n, runs, kept);
    std::printf("subset to references  median %.3f s\n", subsetRefs);
    std::printf("subset in place       median %.3f s\n", subsetInPlace);
    std::printf("sort by strike        median %.3f s\n", sort);
    return 0;
}
