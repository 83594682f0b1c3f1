#include "qzCore/plot/StereonetOverlays.h"

#include <list>

#include "qzCore/analysis/AnalyzeFaultParams.h"
#include "qzCore/analysis/AnalyzeResults.h"
#include "qzCore/analysis/Analyzer.h"
#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/plot/GenericBasePlotParams.h"

namespace qzCore {

namespace {

// Colours of the overlays, unlike any record's default: the mean and its
// cone red, the girdle dark green, P red circles, T green diamonds.
const RGBColor Fisher_Color(200, 0, 0);
const RGBColor Girdle_Color(0, 110, 0);
const RGBColor P_Color(210, 0, 0);
const RGBColor T_Color(0, 140, 0);

}  // namespace

StereonetOverlays::StereonetOverlays(StereoPlotCore& plot, const Data& data)
    : m_plot(plot), m_records(data.getDataList().begin(), data.getDataList().end()) {}

int StereonetOverlays::addFisher() {
    std::list<SpecialData> out;
    AnalyzeResults results(out);
    AnalyzeParams a(m_records, true, false);
    FisherStatsParams f;
    Analyzer(a, results).computeFisher(&f);
    if (results.isError()) return results.getError();
    const GraphicsStyle mean(Fisher_Color, Style_Solid, Size_Larger, Symbol_Star);
    GenericBasePlotParams style;
    style.setPlotStyle(mean);
    m_plot.insert(out, style);
    double cone = -1.0;
    if (results.getValue("cone", cone) && cone >= 0.0) {
        m_cones.push_back({TwoDPoint<float>(float(out.front().getAz()), float(out.front().getPl())), cone,
                           GraphicsStyle(Fisher_Color, Style_Solid, Size_Smallest, Symbol_Dot)});
    } else {
        m_note = "the Fisher cone is undefined (too few data or too much spread); the mean is drawn alone";
    }
    m_key.push_back({mean, "Fisher mean, 95% cone", KeyEntry::Marker});
    return 1;
}

int StereonetOverlays::addBestFit() {
    std::list<SpecialData> out;
    AnalyzeResults results(out);
    AnalyzeParams a(m_records, true, false);
    a.setAnalyzeLines(true);
    a.setAnalyzePlanes(true);
    Analyzer(a, results).computeBestFit(true);
    if (results.isError()) return results.getError();
    GenericBasePlotParams girdle;
    girdle.setPlotStyle(GraphicsStyle(Girdle_Color, Style_Solid, Size_Larger, Symbol_Great_Circle));
    m_plot.insert(out, girdle);
    const GraphicsStyle pole(Girdle_Color, Style_Solid, Size_Larger, Symbol_Square);
    GenericBasePlotParams axis;
    axis.setPlotStyle(pole);
    m_plot.insert(out, axis);
    m_key.push_back({pole, "best-fit girdle", KeyEntry::Line});
    m_key.push_back({pole, "its pole", KeyEntry::Marker});
    return 1;
}

int StereonetOverlays::addPTAxes() {
    std::list<SpecialData> out;
    AnalyzeResults results(out);
    AnalyzeFaultParams a(m_records);
    PlotColors colors = a.getPlotColors();
    colors.fault = P_Color;
    colors.line = T_Color;
    a.setPlotColors(colors);
    PlotSymbols symbols = a.getPlotSymbols();
    symbols.fault.setSymbol(Symbol_Circle);
    symbols.fault.setSize(Size_Larger);
    symbols.line.setSymbol(Symbol_Diamond);
    symbols.line.setSize(Size_Larger);
    a.setPlotSymbols(symbols);
    Analyzer(a, results).computePTAxes();
    if (out.empty()) return Error::No_Data_To_Analyse;
    m_plot.insert(out, a);
    m_key.push_back({GraphicsStyle(P_Color, Style_Solid, Size_Larger, Symbol_Circle), "P axes", KeyEntry::Marker});
    m_key.push_back({GraphicsStyle(T_Color, Style_Solid, Size_Larger, Symbol_Diamond), "T axes", KeyEntry::Marker});
    return 1;
}

void StereonetOverlays::drawOnPort(GraphicsPort&) const {
    // On the plot's own port, in its projection.
    for (const Cone& c : m_cones) m_plot.generateSmallCircleOnPort(c.axis, float(c.angle), c.style);
    drawConstruction();
    drawStars();
}

void StereonetOverlays::underlay(std::function<void()> draw) {
    m_underlays.push_back(std::move(draw));
    m_plot.setUnderlay([this]() {
        for (const auto& d : m_underlays) d();
    });
}

}  // namespace qzCore
