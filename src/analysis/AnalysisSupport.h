// What the analyses share: which records they take and as which direction,
// unit vectors of whole-degree lines, and the head of a report file.
#ifndef QZCORE_SRC_ANALYSIS_ANALYSISSUPPORT_H
#define QZCORE_SRC_ANALYSIS_ANALYSISSUPPORT_H

#include <ostream>
#include <string>

#include "qzCore/analysis/AnalyzeParams.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/records/GeoData.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {
namespace analysis {

/// The unit vector of a whole-degree line: from the table when it is in
/// range (a lookup per record, not two sines and cosines), else in `scratch`.
inline const Matrix_1& unitVector(int trend, int plunge, Matrix_1& scratch) {
    if (const Matrix_1* entry = Matrix_1::wholeDegreesEntry(trend, plunge)) return *entry;
    scratch = Matrix_1(double(trend), double(plunge));
    return scratch;
}

/// Which records an analysis takes, besides faults (planes or slip lines by
/// the fault flags).
struct Selection {
    bool lines = true;
    bool planes = true;
    bool special = false;
};

/// The direction (whole degrees) a record gives the analysis: a plane its
/// lower-hemisphere pole, a line or a result record its own line, a fault
/// its plane's pole or its slip line by the fault flags.  False when the
/// record takes no part.
inline bool direction(const GeoData* g, const AnalyzeParams& p, const Selection& s, int& trend, int& plunge) {
    if (!g || !g->data()) return false;
    const LightweightDataStruct& d = *g->data();
    const char kind = g->getGDType();
    auto pole = [&]() {
        const int strike = d.getStrike(), dip = d.getDip();
        if (strike == -1 || dip == -1) return false;
        trend = strike;
        plunge = dip;
        static const MyMath math;  // computePole keeps no state
        math.computePole(trend, plunge);
        return true;
    };
    auto line = [&]() {
        trend = d.getTrend();
        plunge = d.getPlunge();
        return trend != -1 && plunge != -1;
    };
    if (kind == GDTypes::GDType_Fault) {
        if (p.getAnalyzeFaults()) return pole();
        if (p.getAnalyzeLineations()) return line();
        return false;
    }
    if (kind == GDTypes::GDType_Line) return s.lines && line();
    if (g->isPlanar()) return s.planes && pole();
    if (kind == GDTypes::GDType_UStage || kind == GDTypes::GDType_Null) return false;
    return s.special && line();
}

/// A result comment: the user label, ", " and the text, or the text alone.
inline std::string labelled(const std::string& label, const std::string& text) {
    return label.empty() ? text : label + ", " + text;
}

/// The head of a report file: the title line, "<count label><count>", and
/// the user label line when there is a label.
inline void writeReportHead(std::ostream& out, const char* title, const char* countLabel, long count,
                            const std::string& label, const char* labelPrefix = "User label : ") {
    out << title << "\n" << countLabel << count << "\n";
    if (!label.empty()) out << labelPrefix << label << "\n";
}

}  // namespace analysis
}  // namespace qzCore

#endif  // QZCORE_SRC_ANALYSIS_ANALYSISSUPPORT_H
