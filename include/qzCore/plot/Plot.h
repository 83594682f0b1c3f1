// The base of the plot engines (stereonet, rose diagram, tangent plot):
// the tie to the host's graphics port, the stores of plotted records keyed
// by orientation, the plot state, and the orientation a record is plotted
// at.
//
// Stores.  Each of the six stores (highlights, lines, planes, faults,
// lineations, specials) maps an orientation in whole degrees (azimuth,
// plunge; a great circle is keyed by its strike and dip) to the records
// plotted there, oldest first.  Keys are already in the plot's hemisphere:
// on an upper-hemisphere plot the azimuth is turned by 180 degrees.
//
// Plot state.  The host sets bits when colours, symbols, sizes, the font
// or the hemisphere change and calls setPlotState; each update clears its
// bit when done (see Plot_State).
#ifndef QZCORE_PLOT_PLOT_H
#define QZCORE_PLOT_PLOT_H

#include "qzCore/Export.h"

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "qzCore/plot/PlotDefaults.h"
#include "qzCore/plot/PlotParams.h"
#include "qzCore/plot/PlotPoints.h"
#include "qzCore/plot/PlotStore.h"
#include "qzCore/shared/Graphics.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

class AnalyzeFaultParams;
class ContourParams;
class Data;
class DataManager;
class FaultData;
class GenericBasePlotParams;
class GeoData;
class LineData;
class PlaneData;
class SpecialData;

/// Plot-state bits.
enum Plot_State : std::uint32_t {
    State_Fault_Color = 0x1,
    State_Line_Color = 0x2,
    State_Lineation_Color = 0x4,
    State_Plane_Color = 0x8,
    State_Special_Color = 0x10,
    State_Fault_Symbol = 0x20,
    State_Line_Symbol = 0x40,
    State_Lineation_Symbol = 0x80,
    State_Plane_Symbol = 0x100,
    State_Special_Symbol = 0x200,
    State_Size = 0x800,
    State_Font = 0x2000,
    State_Fault_Size = 0x4000,
    State_Line_Size = 0x8000,
    State_Lineation_Size = 0x10000,
    State_Plane_Size = 0x20000,
    State_Special_Size = 0x40000,
    State_Contoured = 0x80000,
    State_Hemisphere = 0x100000
};

class QZCORE_EXPORT Plot {
public:
    enum Plot_Type : int {
        Rose_Plot = 0,
        Stereo_Plot = 1,
        Tangent_Plot = 2,
        Az_Vs_Dip_Plot = 3,
        Depth_Vs_Az_Dip_Plot = 4
    };
    /// "Rose Plot", "Stereo Plot", "Tangent Plot".
    static const char* const Plot_Type_Strings[3];
    /// "Az vs. Dip", "Depth vs. Az/Dip".
    static const char* const Sct_Plot_Type_Strings[2];

    using Store = PlotStore;

    static constexpr char Bad_Style_Flyweight_Key = -1;
    static const GraphicsStyle Bad_Style_Flyweight_Value;

    virtual ~Plot();
    Plot(const Plot&) = delete;
    Plot& operator=(const Plot&) = delete;

    // ---- virtual operations, in slot order --------------------------------
    virtual void clearContours(bool redraw);
    virtual void contour(const ContourParams& params);
    virtual void generatePlot() = 0;
    virtual int getNumDisplayedData() const { return m_numData; }
    virtual PlotParams& getPlotParams() = 0;
    virtual const PlotParams& getPlotParams() const = 0;
    virtual bool getLastHighlightedPoint(TwoDPoint<int>& key, GraphicsStyle& style, bool greatCircle);
    /// (x, y) device units.
    virtual void highlightInPlot(int x, int y, const GraphicsStyle& style, bool keep);
    virtual bool insert(const SpecialData* record);
    virtual bool insert(const PlaneData* record);
    virtual bool insert(const LineData* record);
    virtual bool insert(const FaultData* record);
    virtual bool insert(const std::list<SpecialData>& results, const AnalyzeFaultParams& params);
    virtual bool insert(const std::list<SpecialData>& results, const GenericBasePlotParams& params);
    virtual bool insert(const std::list<SpecialData>& results);
    virtual bool insertFault(const GeoData* record) = 0;
    virtual bool insertLine(const GeoData* record) = 0;
    virtual bool insertLineation(const GeoData* record) = 0;
    virtual bool insertPlane(const GeoData* record) = 0;
    virtual bool insertSpecial(const GeoData* record) = 0;
    virtual void insertHighlightPoints(bool greatCircles, const GraphicsStyle& style);
    virtual const ContourParams* getContourParams() const { return nullptr; }
    virtual Plot_Type getPlotType() const = 0;
    /// Takes the engine's own parameter class only.
    virtual void setPlotParams(const PlotParams* params) = 0;
    virtual void setPlotState(krtDefaultMaskedBase& state);
    /// The colour of each kind of record for an engine that keeps them; the
    /// base keeps none and these are empty (placeholders engines may fill).
    virtual void setFaultColor(const RGBColor&) {}
    virtual void setPlaneColor(const RGBColor&) {}
    virtual void setLineColor(const RGBColor&) {}
    virtual void setLineationColor(const RGBColor&) {}
    virtual void setSpecialColor(const RGBColor&) {}
    /// The plotted lines, one per orientation, in plot units; `count` the
    /// records.  Appends to `out`.  False (nothing appended) for an engine
    /// without points, or when memory runs out (with a warning on the
    /// standard error stream).
    virtual bool getLinearResults(std::list<qzPlottedPoint>& out, int& count) const;
    virtual bool getPlanarResults(std::list<qzPlottedPoint>& out, int& count, bool project) const;
    virtual bool getResults(std::vector<float>& values, float& count);

    // ---- non-virtual ------------------------------------------------------
    /// Inserts by kind: 0 fault, 1 line, 2 lineation, 3 plane, 4 special.
    bool insert(Plot_Data_Type type, const GeoData* record);
    GraphicsPort* getPort() const { return m_port; }
    /// Installs `port`, keeping the current one to restore.
    void setPort(GraphicsPort* port);
    /// Reinstalls the kept port; returns the one that was current.
    GraphicsPort* restorePort();
    const std::string& getName() const { return m_name; }
    void setName(const std::string& name);
    /// Arial 12 on the port.
    void setFont();
    krtDefaultMaskedBase& getPlotState() { return m_state; }
    const krtDefaultMaskedBase& getPlotState() const { return m_state; }
    int getNumData() const { return m_numData; }
    /// Room for `records` more records of one kind (0 fault ... 4 special):
    /// a hint for a host about to insert many.
    void reserve(Plot_Data_Type kind, std::size_t records);
    /// Empties the five data stores (not the highlights); the count is 0.
    void clearPlotData() { free(); }
    void clearHighlightPoints();
    /// Every colour the plot draws: its points' (highlights too), the
    /// background, frame, text, legend and contour colours.  False without
    /// a port.
    bool enumerateColors(std::set<RGBColor, RGBColorLess>& colors, const PlotParams& params) const;
    char getFlyweightKey(const GraphicsStyle&) const { return Bad_Style_Flyweight_Key; }
    bool getFlyweightStyle(char, GraphicsStyle&) const { return false; }

    static bool getPlotStringFromType(const Plot_Type& type, std::string& text);
    /// Exact (case-sensitive) match; false and `type` unchanged otherwise.
    static bool getPlotTypeFromString(const std::string& text, Plot_Type& type);
    /// The three engine strings, or with `scatter` the two scatter-plot ones.
    static void getPlotTypeStrings(std::list<std::string>& out, bool scatter);

    /// The stores, read-only (for hosts and tests).
    const Store& highlightStore() const { return m_highlights; }
    const Store& lineStore() const { return m_lines; }
    const Store& planeStore() const { return m_planes; }
    const Store& faultStore() const { return m_faults; }
    const Store& lineationStore() const { return m_lineations; }
    const Store& specialStore() const { return m_specials; }

    /// The geometry every engine shares.
    static MyMath m_myMath;

protected:
    Plot(GraphicsPort* port, const DataManager& manager);

    // The orientation a record is plotted at, whole degrees, in the given
    // hemisphere (upper: the azimuth turned by 180).  False for a null
    // record or one without that orientation.
    bool computeGreatCircle(TwoDPoint<int>& out, const GeoData* record, bool lowerHem) const;
    bool computePole(TwoDPoint<int>& out, const GeoData* record, bool lowerHem) const;
    bool computeDipDir(TwoDPoint<int>& out, const GeoData* record, bool lowerHem) const;
    bool computeLine(TwoDPoint<int>& out, const GeoData* record, bool lowerHem) const;

    // Store editors: every point of the store.
    static void setColor(Store& store, const RGBColor& color);
    static void setSize(Store& store, Graphics_Size size);
    /// Points carrying the `reserved` marker keep it.
    static void setSymbol(Store& store, Graphics_Symbol symbol, Graphics_Symbol reserved);
    static void setCompositeStyle(Store& store, const GraphicsStyle& style);
    /// Appends a point at a key; counts it.
    void addPoint(Store& store, const TwoDPoint<int>& key, const DataPlotPoint& point);
    /// Appends the record at `key` to the store of its kind, in the kind's
    /// colour and symbol of `params`; true.
    bool addPoint(Plot_Data_Type kind, const TwoDPoint<int>& key, const GeoData* record, const PlotParams& params);
    /// A line, lineation or result at its trend and plunge.
    bool insertLinear(Plot_Data_Type kind, const GeoData* record, bool lowerHem, const PlotParams& params) {
        TwoDPoint<int> key;
        return computeLine(key, record, lowerHem) && addPoint(kind, key, record, params);
    }
    /// The key of a planar record drawn in `style`: its pole, its dip
    /// vector, or its (strike, dip).
    bool computePlanar(TwoDPoint<int>& out, const GeoData* record, Planar_Plot_Style style, bool lowerHem) const;
    static void erasePlotMap(Store& store) { store.clear(); }
    /// Empties the five data stores (not the highlights); the count is 0.
    void free();
    /// Count 0, no kept port.
    void reset();

    // Per-kind updates of the stored points from the engine's parameters
    // (colour from its PlotColors, symbol and size from its PlotSymbols),
    // run by setPlotState for their bits in the order colours, then each
    // kind's symbol and size.  Each clears its bit in the plot's own state.
    // Virtual, so a host's engine can change what one kind does.
    virtual void updateFaultColor() { updateKind(Plot_Fault, Update_Color); }
    virtual void updateLineColor() { updateKind(Plot_Line, Update_Color); }
    virtual void updateLineationColor() { updateKind(Plot_Lineation, Update_Color); }
    virtual void updatePlaneColor() { updateKind(Plot_Plane, Update_Color); }
    virtual void updateSpecialColor() { updateKind(Plot_Special, Update_Color); }
    virtual void updateFaultSymbol() { updateKind(Plot_Fault, Update_Symbol); }
    virtual void updateLineSymbol() { updateKind(Plot_Line, Update_Symbol); }
    virtual void updateLineationSymbol() { updateKind(Plot_Lineation, Update_Symbol); }
    virtual void updatePlaneSymbol() { updateKind(Plot_Plane, Update_Symbol); }
    virtual void updateSpecialSymbol() { updateKind(Plot_Special, Update_Symbol); }
    virtual void updateFaultSize() { updateKind(Plot_Fault, Update_Size); }
    virtual void updateLineSize() { updateKind(Plot_Line, Update_Size); }
    virtual void updateLineationSize() { updateKind(Plot_Lineation, Update_Size); }
    virtual void updatePlaneSize() { updateKind(Plot_Plane, Update_Size); }
    virtual void updateSpecialSize() { updateKind(Plot_Special, Update_Size); }
    enum Update_Aspect : int { Update_Color, Update_Symbol, Update_Size };
    /// Restyles every point of a kind's store and clears the bit.  Points
    /// carrying the kind's reserved marker keep it on a symbol update; an
    /// engine whose points are not drawn in their own style (the rose)
    /// only clears the bit.
    virtual void updateKind(Plot_Data_Type kind, Update_Aspect aspect);
    /// The marker a symbol update leaves in place: 12 (Symbol_Reserved_Marker)
    /// unless an engine says otherwise (the stereonet keeps 8 on faults and
    /// planes, and changes nothing while such a kind is configured as 8).
    virtual Graphics_Symbol reservedSymbol(Plot_Data_Type) const { return Symbol_Reserved_Marker; }
    virtual bool skipsSymbolUpdateToReserved() const { return false; }
    /// The plot-state bit of a kind's colour, symbol or size (0 for no kind).
    static std::uint32_t stateBitOf(Plot_Data_Type kind, Update_Aspect aspect);
    /// Colours the engine draws beyond its stores (legend, contours).
    virtual void addDrawnColors(std::set<RGBColor, RGBColorLess>&) const {}
    /// Where a key drawn as a point lies, in plot units; false for an
    /// engine that draws no points (the rose).  The result lists use it.
    virtual bool keyToUnitCircle(const TwoDPoint<int>&, TwoDPoint<float>&) const { return false; }
    /// Sets the port's centre and radius from the plot size (state bit
    /// State_Size); nothing without a port.
    void sizePort(const PlotSize& size);
    /// "Total Data : N" at `at` (anchor 4), or at the left edge (anchor 1)
    /// on a plot of 300 units or less.
    void drawDataCount(TwoDPoint<float> at, const PlotParams& params, const GraphicsStyle& text);

    GraphicsPort* m_port;
    const DataManager& m_manager;
    std::string m_name;
    GraphicsPort* m_savedPort = nullptr;
    krtDefaultMaskedBase m_state;
    Store m_highlights, m_lines, m_planes, m_faults, m_lineations, m_specials;
    int m_numData = 0;
};

/// Puts every record of a dataset on the plot by its kind: planes (also
/// well dips and markers), faults with their slip lines as lineations,
/// lines, results, and universal-stage records as their two axes (axis 1
/// in the trend and plunge, axis 2 in the strike and dip) among the
/// results.  `before`, when given, is called with each record before it
/// is put on the plot (to set the colours it is drawn in).
QZCORE_EXPORT void insertDataset(Plot& plot, const Data& data,
                                 const std::function<void(const GeoData*)>& before = nullptr);

}  // namespace qzCore

#endif  // QZCORE_PLOT_PLOT_H
