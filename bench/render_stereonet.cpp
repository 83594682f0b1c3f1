// Times a stereonet picture from records to a written PNG: N poles and M
// great circles on the default 400-pixel equal-area net, through the cairo
// port.
//
//   bench_render_stereonet [poles] [great circles] [runs]   (defaults 10000, 1000, 7)
#include <cstdio>
#include <cstdlib>
#include <random>

#include "common.h"
#include "qzCore/ports/CairoPort.h"

int main(int argc, char** argv) {
    const long poles = argc > 1 ? std::atol(argv[1]) : 10000;
    const long circles = argc > 2 ? std::atol(argv[2]) : 1000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 7;
    qzCore::ErrorManager errors;
    qzCore::FileManager files;
    qzCore::DataManager manager(&errors, &files);
    unsigned char id = 0;
    manager.createDataset(id, "bench", false, nullptr);
    qzCore::Data& data = *manager.getDatasetFromID(id);
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> azimuth(0, 359), dip(0, 90);
    for (long i = 0; i < poles + circles; ++i) {
        qzCore::DataStruct d;
        d.setGDType(qzCore::GDTypes::GDType_Plane);
        d.setStrike(azimuth(rng));
        d.setDip(dip(rng));
        data.insertData(d, qzCore::TokenStruct());
    }
    const std::string out = "/tmp/qz_bench_stereonet.png";
    const double seconds = bench::medianSeconds(
        runs, [] {},
        [&] {
            qzCore::CairoPort port(460.0, 470.0, qzCore::CairoPort::Format::Png);
            port.setSize(qzCore::TwoDPoint<float>(230.0f, 250.0f), 200.0f);
            qzCore::StereoPlotParams p;
            p.setPlotSize(qzCore::PlotSize(400, 30, 50));
            p.setPlaneStyle(qzCore::Planar_Pole);
            qzCore::StereoPlotCore plot(p, &port, manager);
            long i = 0;
            for (const qzCore::GeoData* g : data.getDataList()) {
                if (i++ == poles) {
                    p.setPlaneStyle(qzCore::Planar_Great_Circle);
                    plot.setPlotParams(p);
                }
                plot.insertPlane(g);
            }
            plot.generatePlot();
            if (port.write(out) != 1) std::fprintf(stderr, "could not write %s\n", out.c_str());
        });
    std::printf("stereonet of %ld poles and %ld great circles to PNG: %.4f s (median of %d)\n", poles, circles,
                seconds, runs);
    return 0;
}
