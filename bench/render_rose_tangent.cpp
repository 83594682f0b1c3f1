// Times a rose diagram of N strikes with a running average, and a tangent
// plot of M records, each from records to a written PNG through the cairo
// port.
//
//   bench_render_rose_tangent [strikes] [tangent records] [runs]   (defaults 1000000, 100000, 7)
#include <cstdio>
#include <cstdlib>
#include <random>

#include "common.h"
#include "qzCore/ports/CairoPort.h"

namespace {

void fill(qzCore::Data& data, long n, bool planes, std::mt19937& rng) {
    std::uniform_int_distribution<int> azimuth(0, 359), dip(0, 90);
    for (long i = 0; i < n; ++i) {
        qzCore::DataStruct d;
        if (planes) {
            d.setGDType(qzCore::GDTypes::GDType_Plane);
            d.setStrike(azimuth(rng));
            d.setDip(dip(rng));
        } else {
            d.setGDType(qzCore::GDTypes::GDType_Line);
            d.setTrend(azimuth(rng));
            d.setPlunge(dip(rng));
        }
        data.insertData(d, qzCore::TokenStruct());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const long strikes = argc > 1 ? std::atol(argv[1]) : 1000000;
    const long records = argc > 2 ? std::atol(argv[2]) : 100000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 7;
    qzCore::ErrorManager errors;
    qzCore::FileManager files;
    qzCore::DataManager manager(&errors, &files);
    unsigned char roseId = 0, tangentId = 0;
    manager.createDataset(roseId, "rose", false, nullptr);
    manager.createDataset(tangentId, "tangent", false, nullptr);
    std::mt19937 rng(5);
    // A dataset holds at most 2^24 records; a million fits.
    fill(*manager.getDatasetFromID(roseId), strikes, true, rng);
    qzCore::Data& lines = *manager.getDatasetFromID(tangentId);
    fill(lines, records / 2, false, rng);
    fill(lines, records - records / 2, true, rng);

    const std::string out = "/tmp/qz_bench_rose.png";
    const double rose = bench::medianSeconds(
        runs, [] {},
        [&] {
            qzCore::CairoPort port(460.0, 470.0, qzCore::CairoPort::Format::Png);
            port.setSize(qzCore::TwoDPoint<float>(230.0f, 250.0f), 200.0f);
            qzCore::RosePlotParams p;
            p.setPlotSize(qzCore::PlotSize(400, 30, 50));
            p.setClassSize(10);
            p.setIsUnidirectional(false);
            p.setApplyRunningAverage(true);
            qzCore::RosePlotCore plot(p, &port, manager);
            plot.reserve(qzCore::Plot_Plane, std::size_t(strikes));
            for (const qzCore::GeoData* g : manager.getDatasetFromID(roseId)->getDataList()) plot.insertPlane(g);
            plot.generatePlot();
            if (port.write(out) != 1) std::fprintf(stderr, "could not write %s\n", out.c_str());
        });
    std::printf("rose of %ld strikes, running average, to PNG: %.4f s (median of %d)\n", strikes, rose, runs);

    const std::string tangentOut = "/tmp/qz_bench_tangent.png";
    const double tangent = bench::medianSeconds(
        runs, [] {},
        [&] {
            qzCore::CairoPort port(460.0, 470.0, qzCore::CairoPort::Format::Png);
            port.setSize(qzCore::TwoDPoint<float>(230.0f, 250.0f), 200.0f);
            qzCore::TangentPlotParams p;
            p.setPlotSize(qzCore::PlotSize(400, 30, 50));
            qzCore::TangentPlotCore plot(p, &port, manager);
            for (const qzCore::GeoData* g : lines.getDataList()) {
                if (g->getGDType() == qzCore::GDTypes::GDType_Line) {
                    plot.insertLine(g);
                } else {
                    plot.insertPlane(g);
                }
            }
            plot.generatePlot();
            if (port.write(tangentOut) != 1) std::fprintf(stderr, "could not write %s\n", tangentOut.c_str());
        });
    std::printf("tangent plot of %ld records to PNG: %.4f s (median of %d)\n", records, tangent, runs);
    return 0;
}
