// Which records a host puts in a plot, as one mask of flags.
#ifndef QZCORE_PLOT_WHATTOPLOT_H
#define QZCORE_PLOT_WHATTOPLOT_H

#include "qzCore/Export.h"

#include <cstdint>

namespace qzCore {

class QZCORE_EXPORT WhatToPlot {
public:
    enum Flag : std::uint32_t {
        By_Attribute = 0x1,
        By_Station = 0x2,
        Faults = 0x4,
        Lines = 0x8,
        Lineations = 0x10,
        Planes = 0x20,
        Fault_Poles = 0x40,
        Plane_Poles = 0x80,
        Fault_Dip_Directions = 0x100,
        Plane_Dip_Directions = 0x200,
        Special = 0x400,
        Quick_Plot_Attribute = 0x4000,
        Quick_Plot_Station = 0x40000
    };

    void reset() { m_mask = 0; }
    std::uint32_t getMask() const { return m_mask; }

    bool getPlotByAttribute() const { return is(By_Attribute); }
    void setPlotByAttribute(bool on) { set(By_Attribute, on); }
    bool getPlotByStation() const { return is(By_Station); }
    void setPlotByStation(bool on) { set(By_Station, on); }
    bool getPlotFaults() const { return is(Faults); }
    void setPlotFaults(bool on) { set(Faults, on); }
    bool getPlotLines() const { return is(Lines); }
    void setPlotLines(bool on) { set(Lines, on); }
    bool getPlotLineations() const { return is(Lineations); }
    void setPlotLineations(bool on) { set(Lineations, on); }
    bool getPlotPlanes() const { return is(Planes); }
    void setPlotPlanes(bool on) { set(Planes, on); }
    bool getPlotFaultPoles() const { return is(Fault_Poles); }
    void setPlotFaultPoles(bool on) { set(Fault_Poles, on); }
    bool getPlotPlanePoles() const { return is(Plane_Poles); }
    void setPlotPlanePoles(bool on) { set(Plane_Poles, on); }
    bool getPlotFaultDipDirections() const { return is(Fault_Dip_Directions); }
    void setPlotFaultDipDirections(bool on) { set(Fault_Dip_Directions, on); }
    bool getPlotPlaneDipDirections() const { return is(Plane_Dip_Directions); }
    void setPlotPlaneDipDirections(bool on) { set(Plane_Dip_Directions, on); }
    bool getPlotSpecial() const { return is(Special); }
    void setPlotSpecial(bool on) { set(Special, on); }
    bool getQuickPlotAttribute() const { return is(Quick_Plot_Attribute); }
    void setQuickPlotAttribute(bool on) { set(Quick_Plot_Attribute, on); }
    bool getQuickPlotStation() const { return is(Quick_Plot_Station); }
    void setQuickPlotStation(bool on) { set(Quick_Plot_Station, on); }

private:
    bool is(Flag f) const { return (m_mask & f) != 0; }
    void set(Flag f, bool on) { m_mask = on ? (m_mask | f) : (m_mask & ~std::uint32_t(f)); }
    std::uint32_t m_mask = 0;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_WHATTOPLOT_H
