// qz end to end on published field data, against reference results
// computed independently of this library (tests/fielddata/README.md).
#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/shared/MyMath.h"

namespace {

/// Standard output of qz with these arguments (standard error dropped).
std::string runQz(const std::string& args) {
    const std::string command = std::string("\"") + QZ_PATH + "\" " + args + " 2>/dev/null";
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[4096];
        std::size_t n = 0;
        while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

std::string fieldFile(const char* name) { return std::string("\"") + FIELD_DIR + "/" + name + "\""; }

/// Angle in degrees between two axes (a line and its opposite are one).
double axisAngle(double t1, double p1, double t2, double p2) {
    const double a = qzCore::Matrix_1(t1, p1).vectorAngle(qzCore::Matrix_1(t2, p2));
    return std::min(a, 180.0 - a);
}

// Whole-degree results against the published fold axis: 1 degree
// (README of the data).
constexpr double kFoldAxisTolerance = 1.0;
// Whole-degree P and T against the reference: 1.5 degrees (README).
constexpr double kAxisTolerance = 1.5;

TEST(FieldData, BigElkAnticlineFoldAxis) {
    // Published cylindrical best fit: axis 125.3/26.1, girdle 215.3/63.9.
    const std::string bestFit = runQz("analyse bestfit " + fieldFile("bigelk-bedding.txt"));
    std::smatch m;
    ASSERT_TRUE(std::regex_search(bestFit, m, std::regex("Plane \\(strike, dip\\) : (\\d+), (\\d+)\n  Pole \\(az, pl\\) : (\\d+), (\\d+)")))
        << bestFit;
    EXPECT_LE(axisAngle(std::stod(m[3]), std::stod(m[4]), 125.3, 26.1), kFoldAxisTolerance);
    EXPECT_NEAR(std::stod(m[1]), 215.3, kFoldAxisTolerance);
    EXPECT_NEAR(std::stod(m[2]), 63.9, kFoldAxisTolerance);
    // The least eigenvector of the poles' tensor is the same axis.
    const std::string tensor = runQz("analyse tensor " + fieldFile("bigelk-bedding.txt"));
    ASSERT_TRUE(std::regex_search(tensor, m, std::regex("Vector 3 \\(az, pl\\) : \\((\\d+), (\\d+)\\)"))) << tensor;
    EXPECT_LE(axisAngle(std::stod(m[1]), std::stod(m[2]), 125.3, 26.1), kFoldAxisTolerance);
}

struct Reference {
    double pTrend, pPlunge, tTrend, tPlunge;
};

std::vector<Reference> jujuyReference() {
    std::ifstream in(std::string(FIELD_DIR) + "/jujuy-faults-pt.tsv");
    std::vector<Reference> out;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string strike, dip, trend, plunge, slip;
        Reference r{};
        if (fields >> strike >> dip >> trend >> plunge >> slip >> r.pTrend >> r.pPlunge >> r.tTrend >> r.tPlunge) {
            out.push_back(r);
        }
    }
    return out;
}

TEST(FieldData, JujuyFaultsPAndTAxes) {
    const std::vector<Reference> ref = jujuyReference();
    ASSERT_EQ(ref.size(), 58u);
    // The header names the columns; the reference columns are ignored.
    const std::string out = runQz("analyse pt " + fieldFile("jujuy-faults-pt.tsv"));
    const std::regex row("Fault (\\d+) \\([^)]*\\): P \\(az, pl\\) : \\((\\d+), (\\d+)\\), T \\(az, pl\\) : \\((\\d+), (\\d+)\\)");
    int seen = 0, aboveRake90 = 0;
    for (std::sregex_iterator it(out.begin(), out.end(), row), end; it != end; ++it) {
        const std::smatch& m = *it;
        const std::size_t n = std::stoul(m[1]);
        ASSERT_GE(n, 1u);
        ASSERT_LE(n, ref.size());
        const Reference& r = ref[n - 1];
        EXPECT_LE(axisAngle(std::stod(m[2]), std::stod(m[3]), r.pTrend, r.pPlunge), kAxisTolerance) << "fault " << n;
        EXPECT_LE(axisAngle(std::stod(m[4]), std::stod(m[5]), r.tTrend, r.tPlunge), kAxisTolerance) << "fault " << n;
        ++seen;
    }
    EXPECT_EQ(seen, 58) << out;
    // Both sides of rake 90 are in the set (22 below, 36 above).
    std::ifstream in(std::string(FIELD_DIR) + "/jujuy-faults-pt.tsv");
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::istringstream f(line);
        double strike = 0, dip = 0, trend = 0, plunge = 0, rake = 0;
        f >> strike >> dip >> trend >> plunge;
        if (qzCore::MyMath().computeRakeFromTP(strike, trend, plunge, rake) > 90.0) ++aboveRake90;
    }
    EXPECT_GE(aboveRake90, 30);
}

}  // namespace
