// Reads a data file as qz does (format, delimiter and columns guessed from
// the file) and says what it holds and which rows it refused.
//
//   read_and_summarise [FILE]   (default examples/data/planes.txt)
#include <iostream>
#include <map>
#include <string>

#include <qzCore/qzCore.h>

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "examples/data/planes.txt";
    {
        // [readme:values]
        qzCore::qzParser parser;
        int strike = 0, dip = 0;
        // "N30E" with a dip of "40NW": the right-hand-rule strike becomes 210.
        if (parser.ParseStrikeDip(strike, dip, "N30E", "40NW") == 1) {
            qzCore::MyMath math;
            int trend = strike, plunge = dip;
            math.computePole(trend, plunge);  // lower-hemisphere pole: 120/50
            std::cout << "N30E 40NW: " << strike << '/' << dip << ", pole " << trend << '/' << plunge << '\n';
        }
        qzCore::ErrorManager errors;
        std::cout << errors.getMessage(-5) << '\n';  // "Error on input value\nInvalid strike value"
        // [/readme]
    }
    // [readme:read]
    qzCore::ErrorManager errors;  // the managers a host keeps while it runs
    qzCore::FileManager files;
    qzCore::DataManager manager(&errors, &files);

    std::string content;
    if (!qzCore::readFileBytes(path, content)) return 1;
    unsigned char id = 0;
    const qzCore::ReadOutcome read =
        qzCore::readIntoNewDataset(manager, path, std::move(content), qzCore::LayoutChoices(), id);
    if (read.code < 0) {
        std::cerr << errors.getMessage(read.code) << '\n';
        return 1;
    }
    std::map<std::string, int> kinds;  // "Plane", "Fault", "Line", ...
    for (const qzCore::GeoData* g : manager.getDatasetFromID(id)->getDataList()) {
        std::string label;
        qzCore::GDTypes::instance().get(g->getGDType(), label);
        ++kinds[label];
    }
    for (const auto& k : kinds) std::cout << k.second << ' ' << k.first << '\n';
    std::cout << errors.getErrorReportBuffer();  // each refused row, its line and why
    // [/readme]
    return 0;
}
