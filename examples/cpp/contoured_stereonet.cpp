// A stereonet of a file's planes as poles with filled Kamb contours in a
// perceptually ordered colour map, written to a PNG through the cairo port.
//
//   contoured_stereonet [FILE [OUT.png]]   (default examples/data/fold.csv, poles.png)
#include <iostream>
#include <string>

#include <qzCore/ports/CairoPort.h>  // link qzCore::cairo
#include <qzCore/facade/Dataset.h>
#include <qzCore/qzCore.h>

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "examples/data/fold.csv";
    const std::string out = argc > 2 ? argv[2] : "poles.png";
    // Read the short way (the_short_way.cpp); the published classes below.
    qzCore::facade::Dataset ds;
    if (!ds.add(path).ok()) return 1;
    qzCore::DataManager& manager = ds.manager();
    const qzCore::Data& dataset = ds.data();
    // [readme:stereonet]
    qzCore::CairoPort port(560, 470, qzCore::CairoPort::Format::Png);
    port.setSize({230, 250}, 200);              // the net's centre and radius, pixels
    qzCore::StereoPlotParams params;            // equal area, lower hemisphere
    params.setPlaneStyle(qzCore::Planar_Pole);  // planes as poles
    params.setPlotSize(qzCore::PlotSize(400, 30, 50));
    qzCore::styleForPrint(params, qzCore::countDataRecords(dataset));  // black text, markers for the count
    qzCore::StereoPlotCore net(params, &port, manager);
    qzCore::insertDataset(net, dataset);        // every record by its kind

    qzCore::ContourParams c;                    // "1Percent" with "InvAreaSq", grid 50, levels 2, 4, ...
    c.setContourMethod(qzCore::ContourParams::Method_Kamb);
    c.setSmoothingMethod(qzCore::ContourParams::Smooth_Expon);
    c.setIncludePlanes(true);                   // what is counted: planes, faults, lines,
    c.setCountGreatCirclesAtPoles(true);        //   lineations, results; planes at their poles
    c.setClosedContours(true);                  // filled areas under the data
    c.setColorRamp(qzCore::findColorMap("viridis")->stops);
    net.setContourParams(c);
    net.generatePlot();
    if (net.getContourOutcome() != qzCore::ContourOutcome::Drawn) {
        std::cerr << net.getContourMessage() << '\n';  // why there are none
    }
    qzCore::drawColorBar(port, net, 0.95f);     // every level, beside the net
    if (port.write(out) != 1) return 1;
    // [/readme]
    std::cout << "wrote " << out << '\n';
    return 0;
}
