// Settings of the fault analysis (P and T axes): which axes to make, which
// slip senses to take, and settings the host keeps with them (plot colours
// and symbols of the results, and stress-search settings no analysis of
// this library reads).
#ifndef QZCORE_ANALYSIS_ANALYZEFAULTPARAMS_H
#define QZCORE_ANALYSIS_ANALYZEFAULTPARAMS_H

#include "qzCore/Export.h"

#include <deque>

#include "qzCore/analysis/AnalyzeParams.h"
#include "qzCore/shared/PlotStyles.h"
#include "qzCore/records/GDTypes.h"

namespace qzCore {

class QZCORE_EXPORT AnalyzeFaultParams : public AnalyzeParams {
public:
    /// Both fault flags set; every axis and every slip sense on.
    explicit AnalyzeFaultParams(std::deque<GeoData*>& data);
    void init();

    /// Sigma 1 makes P axes, sigma 3 T axes; sigma 2 is stored only.
    bool getComputeSig1() const override { return m_sig1; }
    bool getComputeSig2() const override { return m_sig2; }
    bool getComputeSig3() const override { return m_sig3; }
    void setComputeSig1(bool on) { m_sig1 = on; }
    void setComputeSig2(bool on) { m_sig2 = on; }
    void setComputeSig3(bool on) { m_sig3 = on; }
    bool getNormalSlip() const { return m_normal; }
    void setNormalSlip(bool on) { m_normal = on; }
    bool getReverseSlip() const { return m_reverse; }
    void setReverseSlip(bool on) { m_reverse = on; }
    bool getLLSlip() const { return m_ll; }
    void setLLSlip(bool on) { m_ll = on; }
    bool getRLSlip() const { return m_rl; }
    void setRLSlip(bool on) { m_rl = on; }
    bool getIsGraphicalAnalysis() const { return m_graphical; }
    void setIsGraphicalAnalysis(bool on) { m_graphical = on; }
    float getCohesion() const { return m_cohesion; }
    void setCohesion(float v) { m_cohesion = v; }
    float getFriction() const { return m_friction; }
    void setFriction(float v) { m_friction = v; }
    int getMinPercentFit() const { return m_minFit; }
    /// Values of 0 or less store 80.
    void setMinPercentFit(int v) { m_minFit = v > 0 ? v : 80; }
    CONFIDENCE getConfidence() const { return m_confidence; }
    void setConfidence(CONFIDENCE c) { m_confidence = c; }
    /// Degrees.
    int getMaxAngle() const { return m_maxAngle; }
    void setMaxAngle(int v) { m_maxAngle = v; }
    /// Degrees.
    int getSearchIncrement() const { return m_increment; }
    /// Values of 0 or less store 10.
    void setSearchIncrement(int v) { m_increment = v > 0 ? v : 10; }
    /// Azimuths in degrees.
    int getSig1StartAz() const { return m_sig1Start; }
    int getSig1EndAz() const { return m_sig1End; }
    /// Stores 0 and 360 for a negative value or an end not after the start.
    void setSig1Range(int start, int end);
    const PlotColors& getPlotColors() const { return m_colors; }
    void setPlotColors(const PlotColors& c) { m_colors = c; }
    const PlotSymbols& getPlotSymbols() const { return m_symbols; }
    void setPlotSymbols(const PlotSymbols& s) { m_symbols = s; }

private:
    PlotColors m_colors;
    PlotSymbols m_symbols;
    bool m_sig1 = true, m_sig2 = true, m_sig3 = true;
    bool m_normal = true, m_reverse = true, m_ll = true, m_rl = true;
    bool m_graphical = true;
    float m_cohesion = 0.0f;
    float m_friction = 0.4f;
    int m_minFit = 60;
    CONFIDENCE m_confidence = Confidence_Supposed;
    int m_maxAngle = 20;
    int m_increment = 10;
    int m_sig1Start = 0;
    int m_sig1End = 360;
};

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_ANALYZEFAULTPARAMS_H
