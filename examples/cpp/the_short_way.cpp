// The same questions through the facade (qzCore/facade/): a dataset value,
// parameter and result structs, failures as exceptions with the library's
// codes.  qz and the Python module are written on it.
//
//   the_short_way [FILE]   (default examples/data/fold.csv)
#include <cstdio>
#include <exception>
#include <string>

#include <qzCore/facade/Analyses.h>

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "examples/data/fold.csv";
    namespace facade = qzCore::facade;
    try {
        // [readme:facade]
        facade::Dataset ds = facade::Dataset::read(path);
        for (const facade::LineReport& row : ds.rejected()) std::printf("line %lu: %s\n", row.line, row.reason.c_str());

        const facade::FisherResult mean = facade::fisher(ds, {});
        std::printf("mean pole %.0f/%.0f, k %.1f", mean.mean.trend_deg, mean.mean.plunge_deg, mean.k);
        if (mean.cone95_deg) std::printf(", 95%% cone %.1f", *mean.cone95_deg);
        const facade::BestFitResult fit = facade::bestFit(ds, {});
        std::printf("\nfold axis %03.0f/%02.0f\n", fit.axis.trend_deg, fit.axis.plunge_deg);

        // Any analysis by name, as qz analyse runs it.
        std::fputs(facade::analysisNamed("density")->run(ds, {}).text.c_str(), stdout);
        // [/readme]
    } catch (const facade::Failed& f) {
        std::fprintf(stderr, "%s (code %d)\n", f.what(), f.code());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
