// The stereonet's records: inserting them and analysis results into the
// stores, drawing them, slip arrows, highlights, results for the host, the
// contour legend and labels.
#include <cmath>
#include <cstdio>
#include <iostream>
#include <new>

#include "qzCore/analysis/AnalyzeFaultParams.h"
#include "qzCore/datasets/DataManager.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/plot/GenericBasePlotParams.h"
#include "qzCore/plot/StereoPlotCore.h"
#include "qzCore/records/GeoData.h"

namespace qzCore {

namespace {

GraphicsStyle styleOf(const RGBColor& color, const GraphicsStyle& symbols) {
    return GraphicsStyle(color, symbols.getStyle(), symbols.getSize(), symbols.getSymbol());
}

/// The style of a result of kind `kind`, or the previous one's.
GraphicsStyle resultStyle(char kind, const PlotColors& colors, const PlotSymbols& symbols, GraphicsStyle& previous,
                          bool faultAnalysis) {
    switch (kind) {
        case GDTypes::GDType_UStageAxis1: previous = styleOf(colors.fault, symbols.fault); break;
        case GDTypes::GDType_UStageAxis2: previous = styleOf(colors.lineation, symbols.lineation); break;
        case GDTypes::GDType_UStageAxis3: previous = styleOf(colors.line, symbols.line); break;
        default: break;
    }
    if (faultAnalysis) {
        switch (kind) {
            case GDTypes::GDType_PAxis:
            case GDTypes::GDType_Sig1: previous = styleOf(colors.fault, symbols.fault); break;
            case GDTypes::GDType_Sig2: previous = styleOf(colors.lineation, symbols.lineation); break;
            case GDTypes::GDType_TAxis:
            case GDTypes::GDType_Sig3: previous = styleOf(colors.line, symbols.line); break;
            default: break;
        }
    }
    return previous;
}

}  // namespace

// ---------------------------------------------------------------- records

bool StereoPlotCore::insertPlanar(const GeoData* record, Store& store, Planar_Plot_Style style, const RGBColor& color,
                                  const GraphicsStyle& symbols) {
    TwoDPoint<int> key;
    GraphicsStyle s = styleOf(color, symbols);
    if (!computePlanar(key, record, style, m_params.getIsLowerHem())) return false;
    // A key of strike and dip means the plane itself: marked to be drawn as
    // its great circle, whatever the kind's symbol (a symbol at (strike,
    // dip) read as a trend and plunge would be neither the pole nor the
    // dip).
    if (style != Planar_Pole && style != Planar_Dip_Direction) s.setSymbol(Symbol_Great_Circle);
    addPoint(store, key, DataPlotPoint(s, record->getDataReference()));
    return true;
}

bool StereoPlotCore::insertFault(const GeoData* record) {
    return insertPlanar(record, m_faults, m_params.getFaultStyle(), m_params.getPlotColors().fault,
                        m_params.getPlotSymbols().fault);
}

bool StereoPlotCore::insertPlane(const GeoData* record) {
    return insertPlanar(record, m_planes, m_params.getPlaneStyle(), m_params.getPlotColors().plane,
                        m_params.getPlotSymbols().plane);
}

bool StereoPlotCore::insertLine(const GeoData* record) {
    return insertLinear(Plot_Line, record, m_params.getIsLowerHem(), m_params);
}

bool StereoPlotCore::insertLineation(const GeoData* record) {
    return insertLinear(Plot_Lineation, record, m_params.getIsLowerHem(), m_params);
}

bool StereoPlotCore::insertSpecial(const GeoData* record) {
    // Results lie in the plot's hemisphere like the data they came from.
    return insertLinear(Plot_Special, record, m_params.getIsLowerHem(), m_params);
}

namespace {

TwoDPoint<int> resultKey(const SpecialData& s, bool lowerHem) {
    int a = s.getAz();
    if (!lowerHem) Plot::m_myMath.computeUpperHem(a);
    return TwoDPoint<int>(a, s.getPl());
}

}  // namespace

bool StereoPlotCore::insert(const std::list<SpecialData>& results) {
    GraphicsStyle previous;
    for (const SpecialData& s : results) {
        const GraphicsStyle style =
            resultStyle(s.getGDType(), m_params.getPlotColors(), m_params.getPlotSymbols(), previous, false);
        addPoint(m_specials, resultKey(s, m_params.getIsLowerHem()), DataPlotPoint(style, 0));
    }
    return true;
}

bool StereoPlotCore::insert(const std::list<SpecialData>& results, const AnalyzeFaultParams& params) {
    // A great-circle marker would draw the axes as planes.
    PlotSymbols& own = m_params.getPlotSymbols();
    if (own.fault.getSymbol() == Symbol_Great_Circle) own.fault.setSymbol(Symbol_Square);
    if (own.lineation.getSymbol() == Symbol_Great_Circle) own.lineation.setSymbol(Symbol_Dot);
    if (own.line.getSymbol() == Symbol_Great_Circle) own.line.setSymbol(Symbol_Triangle);
    GraphicsStyle previous;
    for (const SpecialData& s : results) {
        const GraphicsStyle style =
            resultStyle(s.getGDType(), params.getPlotColors(), params.getPlotSymbols(), previous, true);
        addPoint(m_specials, resultKey(s, m_params.getIsLowerHem()), DataPlotPoint(style, 0));
    }
    return true;
}

bool StereoPlotCore::insert(const std::list<SpecialData>& results, const GenericBasePlotParams& params) {
    if (results.empty()) return false;
    const GraphicsStyle& style = params.getPlotStyle();
    for (const SpecialData& s : results) {
        TwoDPoint<int> key;
        if (style.getSymbol() == Symbol_Great_Circle) {
            // The plane whose pole the result is (a best-fit girdle), in the
            // plot's hemisphere.
            int a = s.getAz(), b = s.getPl();
            m_myMath.computePlaneFromPole(a, b);
            if (!m_params.getIsLowerHem()) m_myMath.computeUpperHem(a);
            key.init(a, b);
        } else {
            key = resultKey(s, m_params.getIsLowerHem());
        }
        addPoint(m_specials, key, DataPlotPoint(style, s.getDataReference()));
    }
    return true;
}

// ---------------------------------------------------------------- drawing

void StereoPlotCore::generateOnPort(const Store& store) {
    for (const auto& entry : store) {
        if (entry.second.empty()) continue;
        const DataPlotPoint& last = entry.second.back();
        if (last.getSymbol() == Symbol_Great_Circle) {
            generateGreatCircleOnPort(entry.first, last.getCompositeStyle());
        } else {
            generatePointOnPort(entry.first, last);
        }
    }
}

void StereoPlotCore::generatePointOnPort(const TwoDPoint<int>& key, const DataPlotPoint& point) {
    if (!m_port) return;
    TwoDPoint<float> at;
    mapTPToUnitCircle(key, at);
    m_port->drawSymbol(at, point.getCompositeStyle(), float(point.getSize()), GraphicsStyle(), false);
}

void StereoPlotCore::generateSlipVectorsOnPort() {
    if (!m_port) return;
    const float e = m_port->getEpsilonLength();
    float length = 4.0f * e, head = 1.5f * e;
    if (length < 0.08f) length = Min_Arrow_Length;
    if (head < 0.03f) head = Min_Arrow_Head;
    for (const auto& entry : m_lineations) {
        for (const DataPlotPoint& p : entry.second) {
            int inStrike = 0, clockwise = 0, strike = 0, dip = 0, trend = 0, plunge = 0;
            if (!m_manager.getDataValue(Value_Slip_Sense, p.getDataRef(), inStrike, clockwise)) continue;
            if (!m_manager.getDataValue(Value_Strike_Dip, p.getDataRef(), strike, dip) ||
                !m_manager.getDataValue(Value_Trend_Plunge, p.getDataRef(), trend, plunge)) {
                continue;
            }
            // The arrow shows where the hanging wall moves, in map view: along
            // the slip line's trend, or against it.  A pure dip-slip line
            // (A = 90) moves with its normal or reverse sense (counter-
            // clockwise is normal), so the rule of the rotation flags alone,
            // which puts A = 90 with the lines beyond it, would point a normal
            // fault's arrow up the dip.
            const int angle = FaultData::slipAngle(strike, trend, plunge);
            const bool along = FaultData::hangingWallClass(angle, clockwise != 0) == 1;
            TwoDPoint<float> tail;
            mapTPToUnitCircle(entry.first, tail);
            TwoDPoint<float> v(0.0f, length);
            m_myMath.rotate(v, -(trend + (along ? 0.0 : 180.0)) * MyMath::Deg_To_Rad);
            m_port->drawArrow(tail, TwoDPoint<float>(tail.x() + v.x(), tail.y() + v.y()), p.getCompositeStyle(), head);
        }
    }
}

// ---------------------------------------------------------------- highlights

void StereoPlotCore::highlightInPlot(int x, int y, const GraphicsStyle& style, bool keep) {
    if (!keep && !m_highlights.empty()) {
        generateOnPort(m_highlights);
        m_highlights.clear();
    }
    const PlotSize& s = m_params.getPlotSize();
    const TwoDPoint<int>& c = s.getPlotCenter();
    if (std::hypot(double(x - c.x()), double(y - c.y())) > s.getHalfSize()) return;
    TwoDPoint<int> key(x, y);
    if (!m_myMath.convertPointToTP(s.getHalfSize(), c, key, true, m_params.getIsEqualArea())) return;
    m_highlights[key].push_back(DataPlotPoint(style, 0));
    int a = key.x(), b = key.y();
    m_myMath.computePlaneFromPole(a, b);
    GraphicsStyle plane = style;
    plane.setSymbol(Symbol_Great_Circle);
    m_highlights[TwoDPoint<int>(a, b)].push_back(DataPlotPoint(plane, 0));
    generateOnPort(m_highlights);
}

void StereoPlotCore::insertHighlightPoints(bool greatCircles, const GraphicsStyle& style) {
    try {
        for (auto& entry : m_highlights) {
            if (entry.second.empty()) continue;
            DataPlotPoint p = entry.second.front();
            p.setColor(style.getColor());
            p.setSize(style.getSize());
            const bool circle = p.getSymbol() == Symbol_Great_Circle;
            if (circle && greatCircles) {
                generateGreatCircleOnPort(entry.first, p.getCompositeStyle());
            } else if (circle || greatCircles) {
                continue;
            } else {
                p.setSymbol(style.getSymbol());
                generatePointOnPort(entry.first, p);
            }
            addPoint(m_specials, entry.first, p);
        }
    } catch (const std::bad_alloc&) {
        throw Error::Plot_Failed;
    }
}

bool StereoPlotCore::getLastHighlightedPoint(TwoDPoint<int>& key, GraphicsStyle& style, bool greatCircle) {
    if (m_highlights.size() != 2) return false;
    for (const auto& entry : m_highlights) {
        for (const DataPlotPoint& p : entry.second) {
            if (!greatCircle || p.getSymbol() == Symbol_Great_Circle) {
                key = entry.first;
                style = p.getCompositeStyle();
                return true;
            }
        }
    }
    return false;
}

// ---------------------------------------------------------------- results

}  // namespace qzCore
