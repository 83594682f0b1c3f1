// Rock-slope kinematics of a dataset's planes: the tests of
// analysis/Kinematics.h over every plane and every pair, the text qz
// prints and the report file.
#include <cmath>
#include <cstdio>
#include <fstream>

#include "qzCore/analysis/Clusters.h"
#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/facade/Analyses.h"
#include "qzCore/parsing/GDTypes.h"

namespace qzCore {
namespace facade {

namespace {

void checkAngle(double v, double low, double high, const char* field, const char* what) {
    if (!(v >= low && v <= high)) {
        char text[160];
        std::snprintf(text, sizeof text, "takes %s of %g to %g degrees", what, low, high);
        throw Refused(field, text);
    }
}

std::string share(std::size_t part, std::size_t whole) {
    char text[64];
    std::snprintf(text, sizeof text, "%zu (%.1f%%)", part, whole ? 100.0 * double(part) / double(whole) : 0.0);
    return text;
}

const char* zoneWord(KinematicZone z, const char* main, const char* secondary) {
    return z == KinematicZone::Main ? main : z == KinematicZone::Secondary ? secondary : "-";
}

}  // namespace

void check(const SlopeFace& f) {
    checkAngle(f.dipDirection, 0.0, 360.0, "slope", "a dip direction");
    checkAngle(f.dip, 0.0, 90.0, "slope", "a dip");
    checkAngle(f.friction, 0.0, 90.0, "friction", "an angle");
    checkAngle(f.lateralLimit, 0.0, 90.0, "lateral-limit", "an angle");
}

KinematicResult kinematic(Dataset& ds, const KinematicParams& p) {
    const SlopeFace& f = p.face;
    check(f);
    if (p.wedgeSets < 0 || p.wedgeSets > ClusterOptions::Max_Sets) {
        throw Refused("wedge-sets", "takes 0 to " + std::to_string(ClusterOptions::Max_Sets));
    }

    // The planes (right-hand-rule strike + 90 is the dip direction).
    std::vector<int> dds, dips, at;
    const Data& data = ds.data();
    for (const GeoData* g : data.getDataList()) {
        const bool fault = g->getGDType() == GDTypes::GDType_Fault;
        const bool taken = g->data() && (fault ? p.faultPlanes : g->isPlanar());
        const int strike = taken ? g->data()->getStrike() : -1, dip = taken ? g->data()->getDip() : -1;
        if (strike < 0 || dip < 0) {
            at.push_back(-1);
            continue;
        }
        at.push_back(int(dds.size()));
        dds.push_back((strike + 90) % 360);
        dips.push_back(dip);
    }
    if (dds.empty()) {
        const std::string hint = data.getNumFaults() > 0 && !p.faultPlanes
                                     ? "the tests take planes; --faults takes the planes of the faults"
                                     : "the tests take planes, and the data hold none";
        throw Failed(Error::No_Data_To_Analyse, ds.message(Error::No_Data_To_Analyse), hint);
    }

    KinematicResult r;
    r.tally = kinematicTally(f, dds, dips);
    KinematicTally& t = r.tally;
    r.n = int(t.planes);
    auto spread = [&](auto& from, auto& to, auto none) {
        to.assign(at.size(), none);
        for (std::size_t i = 0; i < at.size(); ++i) {
            if (at[i] >= 0) to[i] = from[std::size_t(at[i])];
        }
        from.clear();
    };
    spread(t.planar, r.planar, KinematicZone::None);
    spread(t.flexural, r.flexural, KinematicZone::None);
    spread(t.basal, r.basal, KinematicZone::None);
    spread(t.wedges, r.wedges, std::uint32_t(0));

    char line[320];
    std::snprintf(line, sizeof line,
                  "Slope face (dip direction/dip) : %g/%g, friction : %g, lateral limits : %g (%s)\nPlanes : %zu\n",
                  f.dipDirection, f.dip, f.friction, f.lateralLimit, f.curvedLimits ? "curved" : "straight", t.planes);
    std::string& text = r.text;
    text = line;
    text += "Planar sliding : " + share(t.planarMain, t.planes) + ", outside the lateral limits " +
            share(t.planarSecondary, t.planes) + "\n";
    text += "Flexural toppling : " + share(t.flexuralMain, t.planes) + "\n";
    text += "Basal planes (direct toppling) : " + share(t.basalMain, t.planes) + ", oblique " +
            share(t.basalOblique, t.planes) + "\n";
    if (t.pairsTested) {
        text += "Pairs of planes meeting in a line : " + std::to_string(t.intersecting) + "\n";
        text += "Wedge sliding : " + share(t.wedgeMain, t.intersecting) + ", secondary zone " +
                share(t.wedgeSecondary, t.intersecting) + "\n";
        text += "Direct toppling (lines of intersection) : " + share(t.directMain, t.intersecting) + ", oblique " +
                share(t.directOblique, t.intersecting) + "\n";
    } else {
        r.warnings.push_back("the planes have too many distinct orientations to test every pair (" +
                             std::to_string(KinematicLimits{}.maxPairs) +
                             " pairs at most); wedges and direct toppling were not tested: use --wedge-sets");
    }
    if (t.leftOut > 0) r.warnings.push_back(std::to_string(t.leftOut) + " planes out of range were left out");

    // The sets' means, and the lines of their pairs.
    if (p.wedgeSets > 0) {
        std::vector<double> trends, plunges;
        for (std::size_t i = 0; i < dds.size(); ++i) {
            trends.push_back((dds[i] + 180) % 360);
            plunges.push_back(90 - dips[i]);
        }
        ClusterOptions o;
        o.sets = p.wedgeSets;
        o.seed = p.seed;
        r.sets = clusterAxes(trends, plunges, o).means;
        text += "Sets (poles, k-means) : " + std::to_string(r.sets.size()) + "\n";
        for (std::size_t i = 0; i < r.sets.size(); ++i) {
            for (std::size_t j = i + 1; j < r.sets.size(); ++j) {
                const AxisSet& a = r.sets[i];
                const AxisSet& b = r.sets[j];
                CriticalWedge c;
                c.dipDirection1 = int(std::lround(std::fmod(a.trend + 180.0, 360.0))) % 360;
                c.dip1 = int(std::lround(90.0 - a.plunge));
                c.dipDirection2 = int(std::lround(std::fmod(b.trend + 180.0, 360.0))) % 360;
                c.dip2 = int(std::lround(90.0 - b.plunge));
                c.pairs = std::size_t(a.count) * std::size_t(b.count);
                if (!intersectionLine(a.trend + 180.0, 90.0 - a.plunge, b.trend + 180.0, 90.0 - b.plunge, c.trend,
                                      c.plunge)) {
                    continue;
                }
                c.wedge = wedgeZone(f, c.trend, c.plunge);
                c.toppling = directToppling(f, c.trend, c.plunge);
                std::snprintf(line, sizeof line, "Sets %zu and %zu (%d/%d, %d/%d) : line %03.0f/%02.0f, wedge %s, direct toppling %s\n",
                              i + 1, j + 1, c.dipDirection1, c.dip1, c.dipDirection2, c.dip2, c.trend, c.plunge,
                              zoneWord(c.wedge, "main", "secondary"), zoneWord(c.toppling, "primary", "oblique"));
                text += line;
                r.setPairs.push_back(c);
            }
        }
    }

    if (!p.reportPath.empty()) {
        std::ofstream out(p.reportPath);
        out << "Kinematic analysis\n" << text;
        out << "Record\tDip direction\tDip\tPlanar\tFlexural toppling\tBasal plane\tWedges\n";
        for (std::size_t i = 0; i < at.size(); ++i) {
            if (at[i] < 0) continue;
            const std::size_t k = std::size_t(at[i]);
            out << i + 1 << '\t' << dds[k] << '\t' << dips[k] << '\t'
                << zoneWord(r.planar[i], "main", "secondary") << '\t' << zoneWord(r.flexural[i], "yes", "-") << '\t'
                << zoneWord(r.basal[i], "primary", "oblique") << '\t' << r.wedges[i] << '\n';
        }
        out << "Critical pairs (dip direction/dip of each plane, the line, pairs of records, wedge, direct toppling) : "
            << t.criticalOrientationPairs << (t.criticalOrientationPairs > t.critical.size() ? ", most frequent listed" : "")
            << "\n";
        for (const CriticalWedge& c : t.critical) {
            std::snprintf(line, sizeof line, "%d/%d\t%d/%d\t%.1f/%.1f\t%zu\t%s\t%s\n", c.dipDirection1, c.dip1,
                          c.dipDirection2, c.dip2, c.trend, c.plunge, c.pairs, zoneWord(c.wedge, "main", "secondary"),
                          zoneWord(c.toppling, "primary", "oblique"));
            out << line;
        }
        if (!out) throw Failed(Error::File_Write_Error, "the report could not be written to " + p.reportPath);
    }
    return r;
}

}  // namespace facade
}  // namespace qzCore
