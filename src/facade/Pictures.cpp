#include "qzCore/facade/Pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <map>

#include "qzCore/analysis/Analyzer.h"
#include "qzCore/datasets/Data.h"
#include "qzCore/facade/Analyses.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/plot/ColorMaps.h"
#include "qzCore/plot/FigureDecorations.h"
#include "qzCore/plot/RosePlotCore.h"
#include "qzCore/plot/StereoPlotCore.h"
#include "qzCore/plot/StereonetOverlays.h"
#include "qzCore/plot/StressDiagrams.h"
#include "qzCore/plot/TangentPlotCore.h"
#include "facade/Words.h"

namespace qzCore {
namespace facade {

namespace {

using K = GDTypes;

void oneOf(const std::string& value, const std::vector<std::string>& names, const char* field) {
    for (const std::string& n : names) {
        if (value == n) return;
    }
    throw Refused(field, "takes " + detail::listed(names) + ", not '" + value + "'");
}

/// A plane for a rose or tangent plot: a fault's plane, or a record that
/// is neither a line, a universal-stage axis nor a result.
bool planar(const GeoData* g) {
    return g->getGDType() == K::GDType_Fault ||
           (!g->isSpecial() && g->getGDType() != K::GDType_Line && g->getGDType() != K::GDType_UStage);
}

}  // namespace

void check(const StereonetParams& o) {
    oneOf(o.projection, {"equal-area", "equal-angle"}, "projection");
    oneOf(o.hemisphere, {"lower", "upper"}, "hemisphere");
    oneOf(o.planes, {"great-circles", "poles"}, "planes");
    if (!o.colourBy.empty()) oneOf(o.colourBy, {"set", "misfit", "slip-tendency", "dilation-tendency"}, "colour-by");
    if (o.stress.axes || o.colourBy == "misfit") oneOf(o.stress.method, {"michael", "angelier"}, "method");
    if (o.contours) contourParams(*o.contours);
    for (const ConeParams& c : o.cones) {
        if (!(c.axis.plunge_deg >= 0.0 && c.axis.plunge_deg <= 90.0) || !(c.axis.trend_deg >= 0.0 && c.axis.trend_deg <= 360.0) ||
            !(c.angle_deg > 0.0 && c.angle_deg <= 90.0)) {
            throw Refused("cone", "takes TREND/PLUNGE/ANGLE: a trend of 0 to 360, a plunge of 0 to 90 and a half-angle "
                                  "over 0 up to 90 degrees");
        }
    }
    if (!o.kinematic.test.empty()) {
        oneOf(o.kinematic.test, {"planar", "wedge", "flexural", "direct"}, "kinematic");
        check(o.kinematic.face);
    }
}

/// The records in the colours of their sets (attributes set1, set2, ...),
/// and the key of the sets.
std::vector<KeyEntry> insertBySet(StereoPlotCore& plot, Data& data, const StereoPlotParams& p) {
    const RGBColor unset(150, 150, 150);
    std::vector<std::uint32_t> masks;
    for (int k = 1;; ++k) {
        std::list<std::string> held;
        data.getAttributeStrings(held, false);
        const std::string label = "set" + std::to_string(k);
        if (std::find(held.begin(), held.end(), label) == held.end()) break;
        masks.push_back(data.getAttributeIndexMask(std::list<std::string>{label}));
    }
    if (masks.empty()) {
        throw Failed(Error::No_Data_To_Analyse, "the data carry no sets",
                     "qz analyse sets --write-sets FILE.gdf saves them (the attributes set1, set2, ...)")
            .of("colour-by");
    }
    auto colourOf = [&](const GeoData* g) {
        const std::uint32_t a = g->data()->getAttributes();
        for (std::size_t k = 0; k < masks.size(); ++k) {
            if (a & masks[k]) return categoryColour(k);
        }
        return unset;
    };
    insertDataset(plot, data, [&](const GeoData* g) {
        const RGBColor c = colourOf(g);
        plot.setPlaneColor(c);
        plot.setFaultColor(c);
        plot.setLineColor(c);
        plot.setLineationColor(c);
    });
    std::vector<KeyEntry> key;
    const GraphicsStyle& symbol = p.getPlotSymbols().plane;
    const bool circles = p.getPlaneStyle() != Planar_Pole;
    for (std::size_t k = 0; k < masks.size(); ++k) {
        GraphicsStyle s = symbol;
        s.setColor(categoryColour(k));
        key.push_back({s, "set " + std::to_string(k + 1), circles ? KeyEntry::Line : KeyEntry::Marker});
    }
    return key;
}

/// The records, faults in the colour of their misfit to the stress, and
/// the key of the classes.
std::vector<KeyEntry> insertByMisfit(StereoPlotCore& plot, Data& data, const StereoPlotParams& p,
                                     const StressResult& r) {
    const std::vector<const GeoData*> records(data.getDataList().begin(), data.getDataList().end());
    std::map<const GeoData*, RGBColor> colourOf;
    for (std::size_t i = 0; i < r.record.size(); ++i) {
        colourOf[records[std::size_t(r.record[i])]] = misfitColour(r.misfit[i], r.leftOut[i]);
    }
    const PlotColors base = p.getPlotColors();
    insertDataset(plot, data, [&](const GeoData* g) {
        const auto it = colourOf.find(g);
        plot.setFaultColor(it == colourOf.end() ? base.fault : it->second);
        plot.setLineationColor(it == colourOf.end() ? base.lineation : it->second);
    });
    const bool circles = p.getFaultStyle() != Planar_Pole;
    return misfitKey(p.getPlotSymbols().fault, circles ? KeyEntry::Line : KeyEntry::Marker,
                     std::find(r.leftOut.begin(), r.leftOut.end(), true) != r.leftOut.end());
}

/// The planes in the colours of their tendency (five classes of 0.2 on
/// viridis), and the key of the classes.
std::vector<KeyEntry> insertByTendency(StereoPlotCore& plot, Data& data, const StereoPlotParams& p,
                                       const TendencyResult& r, bool slip) {
    const std::vector<RGBColor> colours = sampleColors(findColorMap("viridis")->stops, 5);
    const std::vector<const GeoData*> records(data.getDataList().begin(), data.getDataList().end());
    std::map<const GeoData*, RGBColor> colourOf;
    for (std::size_t i = 0; i < r.record.size(); ++i) {
        const double v = slip ? r.slipNormalised[i] : r.dilation[i];
        colourOf[records[std::size_t(r.record[i])]] = colours[std::size_t(std::clamp(int(v * 5.0), 0, 4))];
    }
    const PlotColors base = p.getPlotColors();
    insertDataset(plot, data, [&](const GeoData* g) {
        const auto it = colourOf.find(g);
        plot.setPlaneColor(it == colourOf.end() ? base.plane : it->second);
        plot.setFaultColor(it == colourOf.end() ? base.fault : it->second);
    });
    std::vector<KeyEntry> key;
    const bool circles = p.getPlaneStyle() != Planar_Pole;
    for (int c = 4; c >= 0; --c) {
        GraphicsStyle s = p.getPlotSymbols().plane;
        s.setColor(colours[std::size_t(c)]);
        char words[48];
        std::snprintf(words, sizeof words, "%s %.1f to %.1f", slip ? "Ts/max" : "Td", c * 0.2, c * 0.2 + 0.2);
        key.push_back({s, words, circles ? KeyEntry::Line : KeyEntry::Marker});
    }
    return key;
}

Drawn drawStereonet(Dataset& ds, const StereonetParams& o, GraphicsPort& port, const PlotSize& size) {
    check(o);
    ContourParams contours;
    if (o.contours) contours = contourParams(*o.contours);
    Data& data = ds.data();
    Drawn drawn;

    StereoPlotParams p;
    p.setUseAccurateGreatCircle(o.exactGreatCircles);
    p.setIsEqualArea(o.projection == "equal-area");
    p.setIsLowerHem(o.hemisphere == "lower");
    const Planar_Plot_Style planes = o.planes == "poles" ? Planar_Pole : Planar_Great_Circle;
    p.setPlaneStyle(planes);
    p.setFaultStyle(planes);
    p.setShowPlotNet(o.net);
    p.setShowSlipDir(o.slipArrows);
    p.setPlotSize(size);
    // The count of records is ours (the engine counts a fault twice and
    // results too), and so are the colour bar and key in the legend column.
    p.setShowDataCount(false);
    p.setShowPlotLegend(false);
    drawn.records = countDataRecords(data);
    styleForPrint(p, drawn.records);
    StereoPlotCore plot(p, &port, ds.manager());
    std::vector<KeyEntry> setKey;
    std::optional<StressResult> stressed;
    if (o.stress.axes || o.colourBy == "misfit") {
        StressParams sp;
        sp.method = o.stress.method;
        sp.bootstrap = o.stress.bootstrap;
        sp.seed = o.stress.seed;
        sp.maxMisfit = o.stress.maxMisfit;
        sp.refine = o.stress.refine;
        try {
            stressed = stress(ds, sp);
        } catch (Failed& f) {
            throw f.of("stress");
        }
    }
    if (o.colourBy == "set") {
        setKey = insertBySet(plot, data, p);
    } else if (o.colourBy == "misfit") {
        setKey = insertByMisfit(plot, data, p, *stressed);
    } else if (o.colourBy == "slip-tendency" || o.colourBy == "dilation-tendency") {
        setKey = insertByTendency(plot, data, p, tendency(ds, o.tendency), o.colourBy == "slip-tendency");
    } else {
        insertDataset(plot, data);
    }
    // No levels given: chosen from the densest node, and said.
    if (o.contours && !o.contours->levels) drawn.levelsNote = plot.chooseLevels(contours);
    if (o.contours) plot.setContourParams(contours);

    // Overlays, each an analysis of the records.
    StereonetOverlays overlays(plot, data);
    const std::pair<bool, std::pair<int (StereonetOverlays::*)(), const char*>> wanted[] = {
        {o.fisher, {&StereonetOverlays::addFisher, "fisher"}},
        {o.bestFit, {&StereonetOverlays::addBestFit, "bestfit"}},
        {o.pt, {&StereonetOverlays::addPTAxes, "pt"}}};
    for (const auto& w : wanted) {
        if (!w.first) continue;
        const int r = (overlays.*(w.second.first))();
        if (r == 1) continue;
        if (w.second.first == &StereonetOverlays::addPTAxes) {
            throw Failed(r, "no fault with a usable sense of slip").of("pt");
        }
        throw Failed(r, ds.message(r)).of(w.second.second);
    }
    if (stressed && o.stress.axes) {
        std::array<Axis, 3> axes;
        std::array<std::vector<Axis>, 3> samples;
        for (std::size_t k = 0; k < 3; ++k) {
            axes[k] = {stressed->sigma[k].trend_deg, stressed->sigma[k].plunge_deg};
            for (const Direction& d : stressed->samples[k]) samples[k].push_back({d.trend_deg, d.plunge_deg});
        }
        overlays.addStressAxes(axes, samples);
    }
    if (o.dihedra) {
        std::vector<int> at;
        const std::deque<GeoData*> records(data.getDataList().begin(), data.getDataList().end());
        const std::vector<FaultSlip> faults = Analyzer::faultSlips(records, at);
        if (faults.empty()) {
            throw Failed(Error::No_Data_To_Analyse, "no fault with a usable sense of slip").of("dihedra");
        }
        overlays.addDihedra(faults);
    }
    for (const ConeParams& c : o.cones) overlays.addCone(c.axis.trend_deg, c.axis.plunge_deg, c.angle_deg);
    if (!o.kinematic.test.empty()) {
        const std::string& t = o.kinematic.test;
        overlays.addKinematic(o.kinematic.face, t == "planar"   ? KinematicTest::Planar
                                                 : t == "wedge"  ? KinematicTest::Wedge
                                                 : t == "flexural" ? KinematicTest::Flexural
                                                                   : KinematicTest::Direct);
    }
    drawn.overlayNote = overlays.note();
    try {
        plot.generatePlot();
    } catch (int code) {
        throw Failed(code, ds.message(code));
    }
    if (o.contours && plot.getContourOutcome() != ContourOutcome::Drawn) {
        drawn.contoursNote = "no contours: " + plot.getContourMessage();
    }
    overlays.drawOnPort(port);
    drawRecordCount(port, p, drawn.records);
    float y = drawColorBar(port, plot, 0.95f);
    if (o.key) {
        std::vector<KeyEntry> key = setKey.empty() ? dataKey(data, plot) : setKey;
        key.insert(key.end(), overlays.key().begin(), overlays.key().end());
        y = drawKey(port, key, y);
    }
    if (o.markMaximum && o.contours) {
        DensityGrid density;
        if (plot.computeDensity(contours, density) == ContourOutcome::Drawn) {
            drawMaximum(port, plot, density);
            drawn.density = std::move(density);
        }
    }
    return drawn;
}

void check(const RoseParams& o) {
    if (!o.of.empty()) oneOf(o.of, {"strike", "dip-direction", "trend"}, "of");
    if (o.classSize <= 0 || o.classSize > 360 || 360 % o.classSize != 0) {
        throw Refused("class-size", "must divide 360 (1, 2, 3, 4, 5, 6, 8, 9, 10, 12, 15, 18, 20, ...), not " +
                                        std::to_string(o.classSize));
    }
    if (o.classStart < 0 || o.classStart > 359) throw Refused("class-start", "takes 0 to 359");
    if (o.runningAverage < 0 || o.runningAverage > 360) throw Refused("running-average", "takes 1 to 360 degrees");
    oneOf(o.scaling, {"area", "linear"}, "scaling");
}

RoseDrawn drawRose(Dataset& ds, const RoseParams& o, GraphicsPort& port, const PlotSize& size) {
    check(o);
    const Data& data = ds.data();
    RoseDrawn drawn;
    // What the azimuths are: strikes for planes, trends for lines, unless
    // asked.
    for (const GeoData* g : data.getDataList()) {
        if (planar(g)) ++drawn.planes;
        if (g->data() && g->data()->hasTrend() && g->data()->hasPlunge()) ++drawn.lines;
    }
    drawn.of = !o.of.empty() ? o.of : drawn.planes > 0 ? "strike" : "trend";
    const bool trends = drawn.of == "trend";

    RosePlotParams p;
    p.setClassSize(o.classSize);
    p.setClassStart(o.classStart);
    // A strike is an axis (045 and 225 are one line); a dip direction or a
    // trend points one way.
    p.setIsUnidirectional(!o.bidirectional.value_or(drawn.of == "strike"));
    p.setIsAreaProportional(o.scaling == "area");
    p.setGenerateRoseOutline(o.outline);
    p.setApplyRunningAverage(o.runningAverage > 0);
    if (o.runningAverage > 0) p.setRunningAverageWindowSize(o.runningAverage);
    p.setShowResultantDirection(o.resultant);
    p.setPlaneStyle(drawn.of == "dip-direction" ? Planar_Dip_Direction : Planar_Great_Circle);
    p.setFaultStyle(p.getPlaneStyle());
    p.setPlotSize(size);
    p.getPlotColors().text = RGBColor(0, 0, 0);
    // Petals in a quiet blue with a dark outline.
    p.getPlotColors().fault = RGBColor(110, 150, 210);
    p.getPlotColors().lineation = RGBColor(30, 50, 110);
    RosePlotCore rose(p, &port, ds.manager());
    rose.reserve(trends ? Plot_Line : Plot_Plane, std::size_t(trends ? drawn.lines : drawn.planes));
    for (const GeoData* g : data.getDataList()) {
        bool in = false;
        if (trends) {
            if (g->getGDType() == K::GDType_Fault) {
                in = rose.insertLineation(g);  // the slip line
            } else if (g->getGDType() == K::GDType_Line) {
                in = rose.insertLine(g);
            } else if (g->isSpecial()) {
                in = rose.insertSpecial(g);
            }
        } else if (g->getGDType() == K::GDType_Fault) {
            in = rose.insertFault(g);
        } else if (planar(g)) {
            in = rose.insertPlane(g);
        }
        if (!in) ++drawn.leftOut;
    }
    drawn.count = rose.getNumData();
    if (drawn.count == 0) return drawn;
    // Drawn by asking for the petals' radii: the largest labels the rings.
    std::vector<float> radii;
    float largest = 0.0f;
    rose.getResults(radii, largest);
    drawRoseLabels(port, rose, largest);
    if (rose.getResultantDirection() >= 0.0) {
        drawn.resultant_deg = rose.getResultantDirection();
        drawn.resultantLength = rose.getResultantLength();
        drawn.angularDeviation_deg = rose.getAngularDeviation();
    }
    return drawn;
}

void check(const TangentParams& o) { oneOf(o.planes, {"dip-vectors", "poles"}, "planes"); }

TangentDrawn drawTangent(Dataset& ds, const TangentParams& o, GraphicsPort& port, const PlotSize& size) {
    check(o);
    const Data& data = ds.data();
    TangentPlotParams p;
    const Planar_Plot_Style style = o.planes == "poles" ? Planar_Pole : Planar_Dip_Direction;
    p.setPlaneStyle(style);
    p.setFaultStyle(style);
    p.setPlotSize(size);
    TangentDrawn drawn;
    drawn.records = countDataRecords(data);
    styleForPrint(p, drawn.records);
    p.setShowDataCount(false);
    TangentPlotCore plot(p, &port, ds.manager());
    // The circle is the frame: nothing beyond a plunge of 65 is drawn.
    plot.setClipToFrame(true);
    for (const GeoData* g : data.getDataList()) {
        if (g->getGDType() == K::GDType_Line) {
            plot.insertLine(g);
        } else if (g->getGDType() == K::GDType_Fault) {
            plot.insertFault(g);
            plot.insertLineation(g);
        } else if (g->isSpecial()) {
            plot.insertSpecial(g);
        } else if (g->getGDType() != K::GDType_UStage) {
            plot.insertPlane(g);
        }
    }
    try {
        plot.generatePlot();
    } catch (int code) {
        throw Failed(code, ds.message(code));
    }
    drawRecordCount(port, p, drawn.records);
    drawTangentRingLabels(port, p);
    drawn.offPicture = plot.getNumOffPicture();
    return drawn;
}

void check(const FabricParams& o) { oneOf(o.kind, {"woodcock", "vollmer"}, "kind"); }

FabricDrawn drawFabric(const std::vector<FabricPoint>& fabrics, const FabricParams& o, GraphicsPort& port) {
    check(o);
    FabricDrawn drawn;
    drawn.leftOff =
        drawFabricDiagram(port, o.kind == "woodcock" ? FabricDiagram::Woodcock : FabricDiagram::Vollmer, fabrics);
    drawn.fabrics = int(fabrics.size() - drawn.leftOff.size());
    return drawn;
}

void drawMohr(const StressResult& r, GraphicsPort& port) {
    drawMohrDiagram(port, r.phi, r.normal, r.shear, r.misfit, r.leftOut);
}

void drawMisfits(const StressResult& r, GraphicsPort& port) { drawMisfitHistogram(port, r.misfit, r.leftOut); }

}  // namespace facade
}  // namespace qzCore
