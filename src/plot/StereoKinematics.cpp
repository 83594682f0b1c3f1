// Cones and the zones of the rock-slope kinematic tests drawn over a
// stereonet.  A zone is a predicate on the plotted direction; it is traced
// trend by trend (every half degree, and at each straight lateral limit
// exactly), the plunges where it holds found to a hundred-thousandth of a
// degree by halving, and filled as one outline per run of trends.
#include <algorithm>
#include <cmath>

#include "qzCore/plot/StereonetOverlays.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

const RGBColor Line_Color(170, 0, 0);
const RGBColor Main_Fill(250, 185, 185);
const RGBColor Secondary_Fill(252, 236, 160);
const RGBColor Cone_Color(0, 70, 160);

/// Trend samples a degree apart is coarse on a 10 cm net (1.7 mm at the
/// primitive); half a degree is below a line's width.
constexpr double Trend_Step = 0.5;
constexpr double Plunge_Step = 0.5;
constexpr int Halvings = 20;

double wrap(double a) {
    a = std::fmod(a, 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

}  // namespace

void StereonetOverlays::addCone(double trend, double plunge, double angle) {
    m_cones.push_back({TwoDPoint<float>(float(trend), float(plunge)), angle,
                       GraphicsStyle(Cone_Color, Style_Solid, Size_Smallest, Symbol_Dot)});
    if (m_cones.size() == 1 || m_key.empty() || m_key.back().words != "small circles") {
        m_key.push_back({m_cones.back().style, "small circles", KeyEntry::Line});
    }
}

void StereonetOverlays::shade(const Zone& zone, const GraphicsStyle& style, const std::vector<double>& edges) const {
    // Trends to sample: the grid and the edges, sorted.
    std::vector<double> trends;
    for (double t = 0.0; t < 360.0; t += Trend_Step) trends.push_back(t);
    for (const double e : edges) trends.push_back(wrap(e));
    std::sort(trends.begin(), trends.end());
    trends.erase(std::unique(trends.begin(), trends.end(), [](double a, double b) { return b - a < 1e-9; }),
                 trends.end());
    struct Span {
        double trend, low, high;
        bool any;
    };
    std::vector<Span> spans;
    for (const double t : trends) {
        Span s{t, 0.0, 0.0, false};
        // The first plunge interval where the zone holds, from the
        // primitive towards the centre.
        double prev = 0.0;
        bool prevIn = zone(t, 0.0);
        if (prevIn) s = {t, 0.0, 0.0, true};
        for (double p = Plunge_Step; p <= 90.0 + 1e-9; p += Plunge_Step) {
            const bool in = zone(t, p);
            if (in != prevIn) {
                double lo = prev, hi = p;
                for (int k = 0; k < Halvings; ++k) {
                    const double mid = 0.5 * (lo + hi);
                    (zone(t, mid) == prevIn ? lo : hi) = mid;
                }
                if (in) {
                    s = {t, 0.5 * (lo + hi), 90.0, true};
                } else if (s.any) {
                    s.high = 0.5 * (lo + hi);
                    break;
                }
            }
            prev = p;
            prevIn = in;
        }
        spans.push_back(s);
    }
    // Runs of trends where it holds, started where it does not.
    const std::size_t n = spans.size();
    std::size_t start = 0;
    while (start < n && spans[start].any) ++start;
    const bool whole = start == n;
    if (whole) start = 0;
    auto project = [this](double t, double p) {
        if (!m_plot.getStereoPlotParams().getIsLowerHem()) t = wrap(t + 180.0);
        TwoDPoint<float> pt{float(t), float(p)};
        m_plot.mapTPToUnitCircle(pt);
        return pt;
    };
    std::list<GraphicsPath> paths;
    std::vector<Span> run;
    auto flush = [&]() {
        if (run.empty()) return;
        GraphicsPath path(style);
        for (const Span& s : run) path.add(project(s.trend, s.high), GraphicsPath::Path_End);
        for (auto it = run.rbegin(); it != run.rend(); ++it) path.add(project(it->trend, it->low), GraphicsPath::Path_End);
        paths.push_back(std::move(path));
        run.clear();
    };
    for (std::size_t k = 0; k < n; ++k) {
        const Span& s = spans[(start + k) % n];
        if (s.any) {
            run.push_back(s);
        } else {
            flush();
        }
    }
    if (whole && !run.empty()) run.push_back(run.front());
    flush();
    GraphicsPort* port = m_plot.getPort();
    if (port && !paths.empty()) port->fillPaths(paths, style);
}

void StereonetOverlays::addKinematic(const SlopeFace& f, KinematicTest test) {
    const double dd = f.dipDirection, L = f.lateralLimit;
    auto plane = [](double poleTrend, double polePlunge, double& dipDir, double& dip) {
        dipDir = wrap(poleTrend + 180.0);
        dip = 90.0 - polePlunge;
    };
    Zone main, secondary;
    std::vector<double> edges;
    std::string mainWords, secondaryWords;
    m_greatCircles.push_back({dd, f.dip});  // the face
    switch (test) {
        case KinematicTest::Planar:
            main = [f, plane](double t, double p) {
                double d = 0, dip = 0;
                plane(t, p, d, dip);
                return planarZone(f, d, dip) == KinematicZone::Main;
            };
            secondary = [f, plane](double t, double p) {
                double d = 0, dip = 0;
                plane(t, p, d, dip);
                return planarZone(f, d, dip) == KinematicZone::Secondary;
            };
            edges = {dd + 180.0 - L, dd + 180.0 + L};
            mainWords = "planar sliding";
            secondaryWords = "outside the lateral limits";
            m_cones.push_back({TwoDPoint<float>(0.0f, 90.0f), f.friction,
                               GraphicsStyle(Line_Color, Style_Solid, Size_Smallest, Symbol_Dot)});
            if (!f.curvedLimits) m_radials.insert(m_radials.end(), edges.begin(), edges.end());
            break;
        case KinematicTest::Flexural:
            main = [f, plane](double t, double p) {
                double d = 0, dip = 0;
                plane(t, p, d, dip);
                return flexuralToppling(f, d, dip);
            };
            edges = {dd - L, dd + L};
            mainWords = "flexural toppling";
            if (f.dip > f.friction) m_greatCircles.push_back({dd, f.dip - f.friction});  // slip limit
            if (!f.curvedLimits) m_radials.insert(m_radials.end(), edges.begin(), edges.end());
            break;
        case KinematicTest::Wedge:
            main = [f](double t, double p) { return wedgeZone(f, t, p) == KinematicZone::Main; };
            secondary = [f](double t, double p) { return wedgeZone(f, t, p) == KinematicZone::Secondary; };
            mainWords = "wedge sliding";
            secondaryWords = "secondary zone";
            m_greatCircles.push_back({dd, f.friction});  // the friction plane
            m_cones.push_back({TwoDPoint<float>(0.0f, 90.0f), 90.0 - f.friction,
                               GraphicsStyle(Line_Color, Style_Solid, Size_Smallest, Symbol_Dot)});
            break;
        case KinematicTest::Direct:
            main = [f](double t, double p) { return directToppling(f, t, p) == KinematicZone::Main; };
            secondary = [f](double t, double p) { return directToppling(f, t, p) == KinematicZone::Secondary; };
            edges = {dd + 180.0 - L, dd + 180.0 + L};
            mainWords = "direct toppling";
            secondaryWords = "oblique toppling";
            m_cones.push_back({TwoDPoint<float>(0.0f, 90.0f), f.dip,
                               GraphicsStyle(Line_Color, Style_Solid, Size_Smallest, Symbol_Dot)});
            m_cones.push_back({TwoDPoint<float>(0.0f, 90.0f), f.friction,
                               GraphicsStyle(Line_Color, Style_Solid, Size_Smallest, Symbol_Dot)});
            m_radials.insert(m_radials.end(), edges.begin(), edges.end());
            break;
    }
    // Curved limits: the small circles about the face's strike.
    if (f.curvedLimits && (test == KinematicTest::Planar || test == KinematicTest::Flexural)) {
        m_cones.push_back({TwoDPoint<float>(float(wrap(dd + 90.0)), 0.0f), 90.0 - L,
                           GraphicsStyle(Line_Color, Style_Solid, Size_Smallest, Symbol_Dot)});
    }
    const GraphicsStyle mainStyle(Main_Fill, Style_Fill_Only, Size_Smallest, Symbol_Dot);
    const GraphicsStyle secondaryStyle(Secondary_Fill, Style_Fill_Only, Size_Smallest, Symbol_Dot);
    underlay([this, main, secondary, edges, mainStyle, secondaryStyle]() {
        shade(main, mainStyle, edges);
        if (secondary) shade(secondary, secondaryStyle, edges);
    });
    m_key.push_back({mainStyle, mainWords, KeyEntry::Swatch});
    if (secondary) m_key.push_back({secondaryStyle, secondaryWords, KeyEntry::Swatch});
    m_key.push_back({GraphicsStyle(Line_Color, Style_Solid, Size_Smallest, Symbol_Dot), "face, limits, cones",
                     KeyEntry::Line});
}

void StereonetOverlays::drawConstruction() const {
    GraphicsPort* port = m_plot.getPort();
    if (!port) return;
    const GraphicsStyle style(Line_Color, Style_Solid, Size_Smallest, Symbol_Dot);
    const bool lower = m_plot.getStereoPlotParams().getIsLowerHem();
    for (const auto& [dipDirection, dip] : m_greatCircles) {
        GraphicsPath path(style);
        double strike = wrap(dipDirection - 90.0);
        if (!lower) strike = wrap(strike + 180.0);
        m_plot.generateGreatCircle(float(strike), float(dip), path.getPoints());
        port->drawPath(path, style, false, false, true);
    }
    for (double a : m_radials) {
        if (!lower) a = wrap(a + 180.0);
        TwoDPoint<float> centre{0.0f, 90.0f}, rim{float(wrap(a)), 0.0f};
        m_plot.mapTPToUnitCircle(centre);
        m_plot.mapTPToUnitCircle(rim);
        port->drawLine(centre, rim, style);
    }
}

}  // namespace qzCore
