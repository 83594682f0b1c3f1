// The browser page's work done natively: 100,000 rows of text read and a
// contoured stereonet of their poles drawn as SVG text by the SVG port
// (the browser's port), the median of seven runs each; the page's own
// figure comes from its checks in headless Chromium (web/test).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common.h"
#include "qzCore/facade/Pictures.h"
#include "qzCore/ports/SvgFigure.h"

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 100000;
    // The rows the page's check makes.
    std::string rows = "Strike\tDip\n";
    for (long i = 0; i < n; ++i) rows += std::to_string((i * 7919) % 360) + "\t" + std::to_string((i * 104729) % 91) + "\n";
    qzCore::facade::Dataset ds;
    const double read = bench::medianSeconds(7, [] {}, [&] { ds = qzCore::facade::Dataset::fromText("big.txt", rows); });
    qzCore::facade::StereonetParams p;
    p.planes = "poles";
    p.exactGreatCircles = true;
    qzCore::facade::DensityParams& c = p.contours.emplace();
    c.method = "kamb";
    c.filled = true;
    std::size_t bytes = 0;
    const double draw = bench::medianSeconds(7, [] {}, [&] {
        qzCore::SvgFigure figure(400, "", true);
        qzCore::facade::drawStereonet(ds, p, figure.port(), figure.plotSize());
        bytes = figure.svg().size();
    });
    std::printf("%ld rows: read %.3f s, contoured stereonet as SVG (%zu bytes) %.3f s, together %.3f s (medians)\n",
                long(ds.size()), read, bytes, draw, read + draw);
}
