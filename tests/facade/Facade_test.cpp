// The facade: what it refuses (each field named, both sides of each
// range), what fails with which code, and a dataset as a value.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/facade/Analyses.h"
#include "qzCore/facade/Pictures.h"
#include "qzCore/shared/RecordingPort.h"

namespace qzCore {
namespace facade {
namespace {

/// Two lines in one vertical plane: their vector mean bisects them.
const char* const Lines = "Trend\tPlunge\n000\t30\n000\t50\n";

Dataset lines() { return Dataset::fromText("lines.txt", Lines); }

/// The field a request is refused for; "" when it is taken.
std::string refusal(const std::function<void()>& request) {
    try {
        request();
    } catch (const Refused& r) {
        return r.field();
    }
    return "";
}

TEST(Facade, RefusesEachFieldOnBothSidesOfItsRange) {
    auto read = [](const char* format, std::vector<std::string> columns, const char* delimiter) {
        return [=] {
            ReadOptions o;
            o.format = format;
            o.columns = columns;
            o.delimiter = delimiter;
            Dataset::fromText("a.txt", "1 2\n", o);
        };
    };
    auto density = [](auto change) {
        return [change] {
            DensityParams p;
            change(p);
            contourParams(p);
        };
    };
    auto rose = [](auto change) {
        return [change] {
            RoseParams p;
            change(p);
            check(p);
        };
    };
    auto stereonet = [](auto change) {
        return [change] {
            StereonetParams p;
            change(p);
            check(p);
        };
    };
    auto overlay = [](const char* test, SlopeFace face) {
        return [test, face] {
            StereonetParams p;
            p.kinematic = {test, face};
            check(p);
        };
    };
    auto kinematicOf = [](auto change) {
        return [change] {
            Dataset ds = Dataset::fromText("p.txt", "DipDir\tDip\n90\t40\n");
            KinematicParams p;
            change(p);
            kinematic(ds, p);
        };
    };
    const std::pair<std::function<void()>, const char*> cases[] = {
        {read("dxf-ish", {}, "auto"), "format"},
        {read("auto", {}, "pipe"), "delimiter"},
        {read("auto", {"Strike", "Bogus"}, "auto"), "columns"},
        {read("auto", {"Strike", "-", "Dip"}, "auto"), ""},
        {density([](DensityParams& p) { p.grid = DensityParams::Min_Grid - 1; }), "grid"},
        {density([](DensityParams& p) { p.grid = DensityParams::Min_Grid; }), ""},
        {density([](DensityParams& p) { p.grid = DensityParams::Max_Grid; }), ""},
        {density([](DensityParams& p) { p.grid = DensityParams::Max_Grid + 1; }), "grid"},
        {density([](DensityParams& p) { p.method = "kde"; }), "method"},
        {density([](DensityParams& p) { p.smoothing = "gauss"; }), "smoothing"},
        {density([](DensityParams& p) { p.sigma = 0.0; }), "sigma"},
        {density([](DensityParams& p) { p.count = {"planes", "poles"}; }), "count"},
        {density([](DensityParams& p) { p.colours = "jet"; }), "colours"},
        {density([](DensityParams& p) { p.compensate = Direction{360.5, 10}; }), "compensate"},
        {density([](DensityParams& p) { p.compensate = Direction{360, -90}; }), ""},
        {rose([](RoseParams& p) { p.classSize = 25; }), "class-size"},
        {rose([](RoseParams& p) { p.classSize = 24; }), ""},
        {rose([](RoseParams& p) { p.classSize = 0; }), "class-size"},
        {rose([](RoseParams& p) { p.classStart = 359; }), ""},
        {rose([](RoseParams& p) { p.classStart = 360; }), "class-start"},
        {rose([](RoseParams& p) { p.runningAverage = 361; }), "running-average"},
        {rose([](RoseParams& p) { p.of = "dip"; }), "of"},
        {[] { check(TangentParams{"circles"}); }, "planes"},
        {[] {
             StereonetParams p;
             p.projection = "polar";
             check(p);
         },
         "projection"},
        {[] { lines().write("/tmp/x.jpg", "jpeg"); }, "to"},
        {stereonet([](StereonetParams& p) { p.cones = {{{0, 90}, 0.0}}; }), "cone"},
        {stereonet([](StereonetParams& p) { p.cones = {{{0, 90}, 90.0}}; }), ""},
        {stereonet([](StereonetParams& p) { p.cones = {{{0, 91}, 10.0}}; }), "cone"},
        {overlay("rockfall", {}), "kinematic"},
        {overlay("direct", {0, 90, 90, 90}), ""},
        {overlay("wedge", {0, 60, 90.5, 20}), "friction"},
        {kinematicOf([](KinematicParams& p) { p.face.dip = 90.5; }), "slope"},
        {kinematicOf([](KinematicParams& p) { p.face.lateralLimit = -0.5; }), "lateral-limit"},
        {kinematicOf([](KinematicParams& p) { p.wedgeSets = 21; }), "wedge-sets"},
        {[] {
             Dataset ds = lines();
             LeastSquaresParams p;
             p.generations = 0;
             leastSquares(ds, p);
         },
         "generations"},
    };
    for (const auto& c : cases) EXPECT_EQ(refusal(c.first), c.second) << "expected " << c.second;
}

TEST(Facade, FailuresCarryTheLibrarysCode) {
    EXPECT_THROW(
        {
            try {
                Dataset::read("no/such/file.txt");
            } catch (const Failed& f) {
                EXPECT_EQ(f.code(), Error::File_Read_Error);
                throw;
            }
        },
        Failed);
    Dataset three = Dataset::fromText("p.txt", "Strike\tDip\n0\t10\n10\t20\n20\t30\n");
    try {
        intersection(three, {});
        ADD_FAILURE() << "three planes have no one line of intersection";
    } catch (const Failed& f) {
        EXPECT_EQ(f.code(), Error::Too_Many_Objects);
    }
    // Faults alone: nothing the tensor takes until their planes are asked
    // for, and the hint says so.
    Dataset faults = Dataset::fromText("f.txt", "Strike\tDip\tRake\tSlip\n0\t60\t90\tNorm\n");
    try {
        tensor(faults, {});
        ADD_FAILURE() << "faults are not taken unless asked for";
    } catch (const Failed& f) {
        EXPECT_EQ(f.code(), Error::No_Data_To_Analyse);
        EXPECT_NE(f.hint().find("--faults"), std::string::npos);
    }
    // P and T through the table: no fault, a failure whose output says why.
    Dataset planes = lines();
    try {
        analysisNamed("pt")->run(planes, {});
        ADD_FAILURE() << "lines give no P and T axes";
    } catch (const Failed& f) {
        EXPECT_EQ(f.output(), "No faults in the data\n");
    }
}

TEST(Facade, DatasetKeepsEveryRowAccountedFor) {
    Dataset ds = Dataset::fromText("mixed.txt", "Strike\tDip\n10\t20\n10\t95\n\n200\t30\n");
    EXPECT_EQ(ds.size(), 2u);
    ASSERT_EQ(ds.rejected().size(), 1u);
    EXPECT_EQ(ds.rejected()[0].line, 3u);
    EXPECT_NE(ds.rejected()[0].reason.find("dip"), std::string::npos);
    EXPECT_EQ(ds.skipped().blank, 1u);
    const std::vector<double> dipDirection = ds.column(Column::DipDirection), trend = ds.column(Column::Trend);
    EXPECT_EQ(dipDirection, (std::vector<double>{100, 290}));
    EXPECT_TRUE(std::isnan(trend[0]) && std::isnan(trend[1]));  // planes have no trend

    // A file that cannot be read leaves the dataset as it was; another is
    // added after the records held.
    const FileRead missing = ds.add("no/such/file.txt");
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(ds.size(), 2u);
    ds.addText("more.txt", Lines);
    EXPECT_EQ(ds.size(), 4u);
    ASSERT_EQ(ds.files().size(), 2u);
    EXPECT_EQ(ds.column(Column::Plunge)[3], 50.0);
}

TEST(Facade, AnalysesByNameAgreeWithClosedForms) {
    std::vector<std::string> names;
    for (const AnalysisInfo& a : analyses()) {
        EXPECT_EQ(analysisNamed(a.name), &a);
        names.push_back(a.name);
    }
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    EXPECT_EQ(analysisNamed("kmeans"), nullptr);

    // 000/30 and 000/50: mean 000/40, R = 2 cos 10 deg.
    Dataset ds = lines();
    const FisherResult f = fisher(ds, {});
    EXPECT_NEAR(f.mean.trend_deg, 0.0, 1e-9);
    EXPECT_NEAR(f.mean.plunge_deg, 40.0, 1e-9);
    EXPECT_NEAR(f.R, 2.0 * std::cos(10.0 * M_PI / 180.0), 1e-9);
    // Fisher's cone: cos a95 = 1 - (N - R)/R ((1/0.05)^(1/(N-1)) - 1).
    ASSERT_TRUE(f.cone95_deg.has_value());
    EXPECT_NEAR(*f.cone95_deg, std::acos(1.0 - (2.0 - f.R) / f.R * 19.0) * 180.0 / M_PI, 1e-6);
    EXPECT_EQ(f.n, 2);
    EXPECT_EQ(f.records.size(), 1u);
    // The angle between them through the table, as qz prints it.
    EXPECT_EQ(analysisNamed("angle")->run(ds, {}).text, "Angle between the objects : 20 degrees\n");
}

/// Whether `at` is inside any of the paths a Fill_Paths call filled.
bool filledAt(const RecordedCall& fill, TwoDPoint<float> at) {
    std::size_t first = 0;
    for (const int n : fill.ints) {
        bool inside = false;
        for (std::size_t i = first, j = first + std::size_t(n) - 1; i < first + std::size_t(n); j = i++) {
            const TwoDPoint<float>&a = fill.points[i], &b = fill.points[j];
            if ((a.y() > at.y()) != (b.y() > at.y()) &&
                at.x() < (b.x() - a.x()) * (at.y() - a.y()) / (b.y() - a.y()) + a.x()) {
                inside = !inside;
            }
        }
        if (inside) return true;
        first += std::size_t(n);
    }
    return false;
}

TEST(Facade, KinematicZonesAndConesWhereTheRulesPutThem) {
    // A face 270/75, friction 35, limits 20, planes as poles: the pole of
    // 270/50 (090/40) slides, of 270/30 (090/60) is gentler than
    // friction, of 245/50 (065/40) is outside the limits (the secondary
    // zone).  Equal-area radius sqrt(2) sin((90 - plunge)/2).
    Dataset ds = Dataset::fromText("p.txt", "DipDir\tDip\n270\t50\n");
    StereonetParams p;
    p.planes = "poles";
    p.kinematic = {"planar", {270, 75, 35, 20}};
    p.cones = {{{0, 90}, 30}};
    RecordingPort port;
    drawStereonet(ds, p, port, PlotSize());
    const std::vector<RecordedCall> fills = port.callsOf(RecordedCall::Fill_Paths);
    ASSERT_EQ(fills.size(), 2u);  // main, secondary
    auto at = [](double trend, double plunge) {
        const double r = std::sqrt(2.0) * std::sin((90.0 - plunge) * M_PI / 360.0), t = trend * M_PI / 180.0;
        return TwoDPoint<float>(float(r * std::sin(t)), float(r * std::cos(t)));
    };
    EXPECT_TRUE(filledAt(fills[0], at(90, 40)));
    EXPECT_FALSE(filledAt(fills[0], at(90, 60)));
    EXPECT_FALSE(filledAt(fills[0], at(65, 40)));
    EXPECT_TRUE(filledAt(fills[1], at(65, 40)));
    EXPECT_FALSE(filledAt(fills[1], at(90, 40)));
    // The zone's edge at the lateral limit (pole trends 070 and 110) is
    // exact: half a degree inside is filled, half outside is not.
    EXPECT_TRUE(filledAt(fills[0], at(110.0 - 0.5, 40)));
    EXPECT_FALSE(filledAt(fills[0], at(110.0 + 0.5, 40)));
    // The cone of 30 degrees about the vertical: every point at radius
    // sqrt(2) sin 15.
    bool found = false;
    for (const RecordedCall& c : port.callsOf(RecordedCall::Draw_Path)) {
        if (c.style.getColor() != RGBColor(0, 70, 160)) continue;
        found = true;
        for (const TwoDPoint<float>& q : c.points) {
            EXPECT_NEAR(std::hypot(q.x(), q.y()), std::sqrt(2.0) * std::sin(M_PI / 12), 1e-5);
        }
    }
    EXPECT_TRUE(found);
}

TEST(Facade, StressPicturesWhereTheStressPutsThem) {
    // Normal faults dipping 60 east and west (down-dip slip): sigma1
    // vertical, at the net's centre; right dihedra compressional there.
    Dataset ds = Dataset::fromText(
        "f.txt", "Strike\tDip\tTrend\tPlunge\tSlip\n0\t60\t90\t60\tNormal\n180\t60\t270\t60\tNormal\n"
                 "10\t60\t100\t60\tNormal\n190\t60\t280\t60\tNormal\n350\t60\t80\t60\tNormal\n");
    StereonetParams p;
    p.stress.axes = true;
    p.dihedra = true;
    RecordingPort port;
    drawStereonet(ds, p, port, PlotSize());
    bool star = false;
    for (const RecordedCall& c : port.callsOf(RecordedCall::Draw_Path)) {
        if (c.flags.empty() || !c.flags[0] || c.points.size() != 11 || c.style.getColor() != RGBColor(210, 0, 0)) continue;
        // A five-branch star about the centre: its tips 0.06 from it.
        star = star || std::hypot(c.points[0].x(), c.points[0].y() - 0.06f) < 1e-3;
    }
    EXPECT_TRUE(star);
    const std::vector<RecordedCall> fills = port.callsOf(RecordedCall::Fill_Paths);
    ASSERT_FALSE(fills.empty());
    EXPECT_TRUE(filledAt(fills.back(), {0.0f, 0.0f}));   // the most compressional level holds the centre
    EXPECT_FALSE(filledAt(fills.front(), {0.99f, 0.0f}));  // east-west horizontal: extensional

    // Mohr's diagram: a fault at sigma_n 0.5, tau 0.5 on the top of the
    // big circle, which runs 0.9 plot units about (0, -0.45).
    StressResult r;
    r.phi = 0.5;
    r.normal = {0.5};
    r.shear = {0.5};
    r.misfit = {5.0};
    r.leftOut = {false};
    RecordingPort mohr;
    drawMohr(r, mohr);
    const std::vector<RecordedCall> symbols = mohr.callsOf(RecordedCall::Draw_Symbol);
    ASSERT_FALSE(symbols.empty());
    EXPECT_NEAR(symbols.front().points[0].x(), 0.0, 1e-6);
    EXPECT_NEAR(symbols.front().points[0].y(), 0.45, 1e-6);
    const RecordedCall big = mohr.callsOf(RecordedCall::Draw_Path).front();
    for (const TwoDPoint<float>& q : big.points) EXPECT_NEAR(std::hypot(q.x(), q.y() + 0.45), 0.9, 1e-5);
}

}  // namespace
}  // namespace facade
}  // namespace qzCore
