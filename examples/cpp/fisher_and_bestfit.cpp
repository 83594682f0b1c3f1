// The Fisher mean of a file's planes (as poles) and the best-fit great
// circle of the same: for the beds of a fold, the mean pole and the fold
// axis.
//
//   fisher_and_bestfit [FILE]   (default examples/data/fold.csv)
#include <cstdio>
#include <deque>
#include <list>
#include <string>

#include <qzCore/facade/Dataset.h>
#include <qzCore/qzCore.h>

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "examples/data/fold.csv";
    // Read the short way (the_short_way.cpp); the published classes below.
    qzCore::facade::Dataset ds;
    if (!ds.add(path).ok()) return 1;
    const qzCore::Data& data = ds.data();
    // [readme:analyse]
    std::deque<qzCore::GeoData*> records(data.getDataList().begin(), data.getDataList().end());

    std::list<qzCore::SpecialData> mean;  // the analyses append result records here
    qzCore::AnalyzeResults fisherResults(mean);
    qzCore::AnalyzeParams fisherParams(records, true, false);
    qzCore::FisherStatsParams fisher;
    qzCore::Analyzer(fisherParams, fisherResults).computeFisher(&fisher);
    if (fisherResults.isError()) return 1;
    double k = 0.0, cone = 0.0;
    fisherResults.getValue("K", k);      // NaN when undefined
    fisherResults.getValue("cone", cone);
    std::printf("mean pole %03d/%02d, K %.1f, 95%% cone %.1f\n", mean.front().getAz(), mean.front().getPl(), k, cone);

    std::list<qzCore::SpecialData> fit;
    qzCore::AnalyzeResults fitResults(fit);
    qzCore::AnalyzeParams fitParams(records, true, false);
    fitParams.setAnalyzePlanes(true);
    qzCore::Analyzer(fitParams, fitResults).computeBestFit(true);
    if (fitResults.isError()) return 1;
    std::printf("fold axis (pole of the best-fit girdle) %03d/%02d\n", fit.front().getAz(), fit.front().getPl());
    // [/readme]
    return 0;
}
