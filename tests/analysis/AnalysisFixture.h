// What the analysis tests share: records owned for an analysis, a result
// list, and angle helpers.
#ifndef QZCORE_TESTS_ANALYSIS_FIXTURE_H
#define QZCORE_TESTS_ANALYSIS_FIXTURE_H

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/analysis/Analyzer.h"
#include "qzCore/records/GDTypes.h"
#include "tests/support/Values.h"

namespace qzCore {
namespace testing_analysis {

using K = GDTypes;
using S = GDSlipTypes;

// Closed-form statistics computed here in doubles agree with the analysis
// to rounding; results stored as whole degrees are compared exactly.
constexpr double kStatTolerance = 1e-9;

inline double rad(double d) { return d * MyMath::Deg_To_Rad; }
inline double deg(double r) { return r * MyMath::Rad_To_Deg; }

/// Angle between two axes (lines regardless of sense), degrees 0..90.
inline double axialAngle(double t1, double p1, double t2, double p2) {
    const double a = Matrix_1(t1, p1).vectorAngle(Matrix_1(t2, p2));
    return a > 90.0 ? 180.0 - a : a;
}

/// Owns the records of an analysis.
class Records {
public:
    GeoData* line(int t, int p) { return add(std::make_unique<LineData>(TokenStruct(), lineValues(t, p))); }
    GeoData* plane(int s, int dip) { return add(std::make_unique<PlaneData>(TokenStruct(), planeValues(s, dip))); }
    GeoData* fault(int s, int dip, int t, int p, char slip) {
        return add(std::make_unique<FaultData>(TokenStruct(), faultValues(s, dip, t, p, slip)));
    }
    /// A fault with its slip line given by its rake.
    GeoData* faultByRake(int s, int dip, int rake, char slip) {
        return add(std::make_unique<FaultData>(TokenStruct(), faultValues(s, dip, rake, slip)));
    }
    GeoData* ustage() { return add(std::make_unique<UStageData>(ustageValues(0, 0, 90, 0), TokenStruct())); }
    std::deque<GeoData*> list;

private:
    GeoData* add(std::unique_ptr<GeoData> g) {
        list.push_back(g.get());
        owned.push_back(std::move(g));
        return list.back();
    }
    std::vector<std::unique_ptr<GeoData>> owned;
};

class Analysis : public ::testing::Test {
protected:
    Records r;
    std::list<SpecialData> out;
    AnalyzeResults results{out};
};

/// The whole text of a file.
inline std::string readFile(const std::string& name) {
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace testing_analysis
}  // namespace qzCore

#endif  // QZCORE_TESTS_ANALYSIS_FIXTURE_H
