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
    double pTrend, pPlunge, tTrend, tPlunge;  // NaN where the fault has none
};

/// The reference P and T of a published fault table: columns 6 to 9 of
/// each row after the header, split by `delimiter`.
std::vector<Reference> referenceOf(const char* name, char delimiter) {
    std::ifstream in(std::string(FIELD_DIR) + "/" + name);
    std::vector<Reference> out;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        std::string cell;
        while (std::getline(fields, cell, delimiter)) cells.push_back(cell);
        if (cells.size() < 9) continue;
        out.push_back({std::stod(cells[5]), std::stod(cells[6]), std::stod(cells[7]), std::stod(cells[8])});
    }
    return out;
}

TEST(FieldData, PublishedFaultTablesGiveTheirPAndTAxesWithNoOptions) {
    // Jujuy as a tab table with Norm/Rev; Kamogawa as structr writes a
    // fault table (dip direction, dip, azimuth, plunge, sense +1/-1), one
    // of its faults with a horizontal slip line, where +1 says nothing.
    struct Table {
        const char* name;
        char delimiter;
        std::size_t faults;
        std::vector<std::size_t> skipped;
    };
    for (const Table& table : {Table{"jujuy-faults-pt.tsv", '\t', 58, {}}, Table{"kamogawa-faults.csv", ',', 50, {28}}}) {
        const std::vector<Reference> ref = referenceOf(table.name, table.delimiter);
        ASSERT_EQ(ref.size(), table.faults) << table.name;
        const std::string info = runQz("info " + fieldFile(table.name));
        EXPECT_NE(info.find("Faults: " + std::to_string(table.faults) + "\n"), std::string::npos) << info;
        EXPECT_EQ(info.find("Rejected"), std::string::npos) << info;
        const std::string out = runQz("analyse pt " + fieldFile(table.name));
        const std::regex row("Fault (\\d+) \\([^)]*\\): P \\(az, pl\\) : \\((\\d+), (\\d+)\\), T \\(az, pl\\) : \\((\\d+), (\\d+)\\), misfit ([0-9.]+)\n");
        std::size_t seen = 0;
        for (std::sregex_iterator it(out.begin(), out.end(), row), end; it != end; ++it) {
            const std::smatch& m = *it;
            const std::size_t n = std::stoul(m[1]);
            ASSERT_GE(n, 1u);
            ASSERT_LE(n, ref.size());
            const Reference& r = ref[n - 1];
            EXPECT_LE(axisAngle(std::stod(m[2]), std::stod(m[3]), r.pTrend, r.pPlunge), kAxisTolerance) << table.name << " " << n;
            EXPECT_LE(axisAngle(std::stod(m[4]), std::stod(m[5]), r.tTrend, r.tPlunge), kAxisTolerance) << table.name << " " << n;
            // Whole degrees put a line on its plane to within 0.7 degrees.
            EXPECT_LE(std::stod(m[6]), 1.0) << table.name << " " << n;
            ++seen;
        }
        EXPECT_EQ(seen, table.faults - table.skipped.size()) << out;
        for (const std::size_t n : table.skipped) {
            EXPECT_TRUE(std::isnan(ref[n - 1].pTrend));
            EXPECT_NE(out.find("Fault " + std::to_string(n) + " (") , std::string::npos);
            EXPECT_TRUE(std::regex_search(out, std::regex("Fault " + std::to_string(n) + " [^\n]*skipped, the sense Ambig")))
                << out;
        }
    }
    // Both sides of rake 90 are in the Jujuy set (22 below, 36 above).
    std::ifstream in(std::string(FIELD_DIR) + "/jujuy-faults-pt.tsv");
    std::string line;
    std::getline(in, line);
    int aboveRake90 = 0;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        double strike = 0, dip = 0, trend = 0, plunge = 0, rake = 0;
        f >> strike >> dip >> trend >> plunge;
        if (qzCore::MyMath().computeRakeFromTP(strike, trend, plunge, rake) > 90.0) ++aboveRake90;
    }
    EXPECT_GE(aboveRake90, 30);
}

TEST(FieldData, SpreadsheetTablesOfPlanesAndLinesLoadWhole) {
    // structr's example tables: dip directions and dips, trends and
    // plunges, a quality column with gaps and a feature type, the label.
    const std::string planes = runQz("info " + fieldFile("structr-planes.csv"));
    EXPECT_NE(planes.find("TotalData: 200\n"), std::string::npos) << planes;
    EXPECT_NE(planes.find("Planes: 200\n"), std::string::npos) << planes;
    EXPECT_NE(planes.find("Attributes: foliation"), std::string::npos) << planes;
    const std::string lines = runQz("info " + fieldFile("structr-lines.csv"));
    EXPECT_NE(lines.find("Lines: 84\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("Attributes: stretching"), std::string::npos) << lines;
}

}  // namespace
