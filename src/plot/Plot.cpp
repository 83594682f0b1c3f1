#include "qzCore/shared/krtError.h"
#include "qzCore/plot/Plot.h"

#include <cstdio>
#include <new>

#include "qzCore/datasets/Data.h"
#include "qzCore/plot/ContourParams.h"
#include "qzCore/records/GeoData.h"

namespace qzCore {

const char* const Plot::Plot_Type_Strings[3] = {"Rose Plot", "Stereo Plot", "Tangent Plot"};
const char* const Plot::Sct_Plot_Type_Strings[2] = {"Az vs. Dip", "Depth vs. Az/Dip"};
const GraphicsStyle Plot::Bad_Style_Flyweight_Value;
MyMath Plot::m_myMath;

Plot::Plot(GraphicsPort* port, const DataManager& manager)
    : m_port(port), m_manager(manager), m_name(port ? port->getName() : std::string("Untitled")) {
    reset();
    setFont();
}

Plot::~Plot() = default;

// ---------------------------------------------------------------- defaults

void Plot::clearContours(bool) {}
void Plot::contour(const ContourParams&) {}
bool Plot::getLastHighlightedPoint(TwoDPoint<int>&, GraphicsStyle&, bool) { return false; }
void Plot::highlightInPlot(int, int, const GraphicsStyle&, bool) {}
bool Plot::insert(const SpecialData* record) { return insertSpecial(record); }
bool Plot::insert(const PlaneData* record) { return insertPlane(record); }
bool Plot::insert(const LineData* record) { return insertLine(record); }
bool Plot::insert(const FaultData* record) { return insertFault(record); }
bool Plot::insert(const std::list<SpecialData>&, const AnalyzeFaultParams&) { return false; }
bool Plot::insert(const std::list<SpecialData>&, const GenericBasePlotParams&) { return false; }
bool Plot::insert(const std::list<SpecialData>&) { return false; }
void Plot::insertHighlightPoints(bool, const GraphicsStyle&) {}

bool Plot::getLinearResults(std::list<qzPlottedPoint>& out, int& count) const {
    count = 0;
    TwoDPoint<float> probe;
    if (!keyToUnitCircle(TwoDPoint<int>(0, 0), probe)) return false;
    try {
        for (const auto& entry : m_lines) {
            if (entry.second.empty()) continue;
            TwoDPoint<float> at;
            keyToUnitCircle(entry.first, at);
            out.emplace_back(at, entry.second.front().getCompositeStyle());
            count += int(entry.second.size());
        }
    } catch (const std::bad_alloc&) {
        out.clear();
        count = 0;
        reportWarning("warning : an error occurred retrieving plot data.\n");
        return false;
    }
    return true;
}

bool Plot::getPlanarResults(std::list<qzPlottedPoint>& out, int& count, bool project) const {
    count = 0;
    TwoDPoint<float> probe;
    if (!keyToUnitCircle(TwoDPoint<int>(0, 0), probe)) return false;
    try {
        for (const auto& entry : m_planes) {
            if (entry.second.empty()) continue;
            const DataPlotPoint& first = entry.second.front();
            // Great circles stay as their (strike, dip).
            TwoDPoint<float> at(float(entry.first.x()), float(entry.first.y()));
            if (project && first.getSymbol() != Symbol_Great_Circle) keyToUnitCircle(entry.first, at);
            out.emplace_back(at, first.getCompositeStyle());
            count += int(entry.second.size());
        }
    } catch (const std::bad_alloc&) {
        out.clear();
        count = 0;
        reportWarning("warning : an error occurred generating stereoplot.\n");
        return false;
    }
    return true;
}

void Plot::sizePort(const PlotSize& size) {
    if (!m_port) return;
    m_port->setSize(TwoDPoint<float>(float(size.getPlotCenter().x()), float(size.getPlotCenter().y())),
                    size.getHalfSize());
}

void Plot::drawDataCount(TwoDPoint<float> at, const PlotParams& params, const GraphicsStyle& text) {
    if (!m_port) return;
    char buf[64];
    std::snprintf(buf, sizeof buf, "Total Data : %d", getNumData());
    int anchor = 4;
    if (params.getPlotSize().getSize() > 300.0f) {
        at.y() = -0.94f;
    } else {
        at.x() = -1.0f;
        anchor = 1;
    }
    m_port->drawText(buf, at, anchor, text, GraphicsPort::Default_Text_Size);
}

bool Plot::getResults(std::vector<float>&, float& count) {
    count = 0;
    return false;
}

void Plot::setPlotState(krtDefaultMaskedBase& state) {
    using Update = void (Plot::*)();
    static const std::pair<std::uint32_t, Update> updates[] = {
        {State_Fault_Color, &Plot::updateFaultColor},
        {State_Line_Color, &Plot::updateLineColor},
        {State_Lineation_Color, &Plot::updateLineationColor},
        {State_Plane_Color, &Plot::updatePlaneColor},
        {State_Special_Color, &Plot::updateSpecialColor},
        {State_Fault_Symbol, &Plot::updateFaultSymbol},
        {State_Fault_Size, &Plot::updateFaultSize},
        {State_Line_Symbol, &Plot::updateLineSymbol},
        {State_Line_Size, &Plot::updateLineSize},
        {State_Lineation_Symbol, &Plot::updateLineationSymbol},
        {State_Lineation_Size, &Plot::updateLineationSize},
        {State_Plane_Symbol, &Plot::updatePlaneSymbol},
        {State_Plane_Size, &Plot::updatePlaneSize},
        {State_Special_Symbol, &Plot::updateSpecialSymbol},
        {State_Special_Size, &Plot::updateSpecialSize}};
    // The bits are read from the mask the host passed; each update clears
    // its bit in the plot's own state, and the host's mask loses it too, so
    // a mask passed again does not update twice.
    for (const auto& u : updates) {
        if (!state.isSet(u.first)) continue;
        (this->*u.second)();
        state.unset(u.first);
    }
    if (state.isSet(State_Font)) {
        setFont();
        m_state.unset(State_Font);
        state.unset(State_Font);
    }
}

std::uint32_t Plot::stateBitOf(Plot_Data_Type kind, Update_Aspect aspect) {
    static const std::uint32_t bits[5][3] = {
        {State_Fault_Color, State_Fault_Symbol, State_Fault_Size},
        {State_Line_Color, State_Line_Symbol, State_Line_Size},
        {State_Lineation_Color, State_Lineation_Symbol, State_Lineation_Size},
        {State_Plane_Color, State_Plane_Symbol, State_Plane_Size},
        {State_Special_Color, State_Special_Symbol, State_Special_Size}};
    return kind >= Plot_Fault && kind <= Plot_Special ? bits[kind][aspect] : 0u;
}

void Plot::updateKind(Plot_Data_Type kind, Update_Aspect aspect) {
    if (kind < Plot_Fault || kind > Plot_Special) return;
    const PlotParams& params = getPlotParams();
    const PlotColors& colors = params.getPlotColors();
    const PlotSymbols& symbols = params.getPlotSymbols();
    Store* const stores[5] = {&m_faults, &m_lines, &m_lineations, &m_planes, &m_specials};
    const RGBColor* const kindColors[5] = {&colors.fault, &colors.line, &colors.lineation, &colors.plane,
                                           &colors.special};
    const GraphicsStyle* const kindSymbols[5] = {&symbols.fault, &symbols.line, &symbols.lineation, &symbols.plane,
                                                 &symbols.special};
    Store& store = *stores[kind];
    const GraphicsStyle& style = *kindSymbols[kind];
    switch (aspect) {
        case Update_Color: setColor(store, *kindColors[kind]); break;
        case Update_Size: setSize(store, style.getSize()); break;
        case Update_Symbol: {
            const Graphics_Symbol reserved = reservedSymbol(kind);
            if (!(skipsSymbolUpdateToReserved() && style.getSymbol() == reserved)) {
                setSymbol(store, style.getSymbol(), reserved);
            }
            break;
        }
    }
    m_state.unset(stateBitOf(kind, aspect));
}

// ---------------------------------------------------------------- non-virtual

bool Plot::insert(Plot_Data_Type type, const GeoData* record) {
    switch (type) {
        case Plot_Fault: return insertFault(record);
        case Plot_Line: return insertLine(record);
        case Plot_Lineation: return insertLineation(record);
        case Plot_Plane: return insertPlane(record);
        case Plot_Special: return insertSpecial(record);
        default: return false;
    }
}

void Plot::setPort(GraphicsPort* port) {
    m_savedPort = m_port;
    m_port = port;
}

GraphicsPort* Plot::restorePort() {
    GraphicsPort* current = m_port;
    m_port = m_savedPort;
    m_savedPort = nullptr;
    return current;
}

void Plot::setName(const std::string& name) {
    m_name = name;
    if (m_port) m_port->setName(name);
}

void Plot::setFont() {
    if (m_port) m_port->setFont("Arial", 12);
}

void Plot::clearHighlightPoints() { m_highlights.clear(); }

bool Plot::enumerateColors(std::set<RGBColor, RGBColorLess>& colors, const PlotParams& params) const {
    if (!m_port) return false;
    try {
        colors.clear();
        for (const Store* s : {&m_lines, &m_planes, &m_faults, &m_lineations, &m_specials, &m_highlights}) {
            for (const auto& entry : *s) {
                for (const DataPlotPoint& p : entry.second) colors.insert(p.getColor());
            }
        }
        const PlotColors& c = params.getPlotColors();
        for (const RGBColor& k : {c.plotBackground, c.plotFrame, c.text, c.windowBackground, c.highlight}) {
            colors.insert(k);
        }
        addDrawnColors(colors);
    } catch (const std::bad_alloc&) {
        colors.clear();
        return false;
    }
    return true;
}

bool Plot::getPlotStringFromType(const Plot_Type& type, std::string& text) {
    if (type >= Rose_Plot && type <= Tangent_Plot) {
        text = Plot_Type_Strings[type];
        return true;
    }
    if (type == Az_Vs_Dip_Plot || type == Depth_Vs_Az_Dip_Plot) {
        text = Sct_Plot_Type_Strings[type - Az_Vs_Dip_Plot];
        return true;
    }
    return false;
}

bool Plot::getPlotTypeFromString(const std::string& text, Plot_Type& type) {
    for (int t = Rose_Plot; t <= Depth_Vs_Az_Dip_Plot; ++t) {
        std::string s;
        getPlotStringFromType(static_cast<Plot_Type>(t), s);
        if (!text.empty() && s == text) {
            type = static_cast<Plot_Type>(t);
            return true;
        }
    }
    return false;
}

void Plot::getPlotTypeStrings(std::list<std::string>& out, bool scatter) {
    out.clear();
    if (scatter) {
        out.assign(std::begin(Sct_Plot_Type_Strings), std::end(Sct_Plot_Type_Strings));
    } else {
        out.assign(std::begin(Plot_Type_Strings), std::end(Plot_Type_Strings));
    }
}

// ---------------------------------------------------------------- orientations

namespace {

/// The values of a record with a strike and a dip, or null.
const LightweightDataStruct* planar(const GeoData* g) {
    const LightweightDataStruct* d = g ? g->data() : nullptr;
    return d && d->isPlanar() && d->hasStrike() && d->hasDip() ? d : nullptr;
}

void toHemisphere(TwoDPoint<int>& p, bool lowerHem) {
    if (!lowerHem) {
        int a = p.x();
        Plot::m_myMath.computeUpperHem(a);
        p.x() = a;
    }
}

}  // namespace

bool Plot::computeGreatCircle(TwoDPoint<int>& out, const GeoData* record, bool lowerHem) const {
    const LightweightDataStruct* d = planar(record);
    if (!d) return false;
    out.init(d->getStrike(), d->getDip());
    toHemisphere(out, lowerHem);
    return true;
}

bool Plot::computePole(TwoDPoint<int>& out, const GeoData* record, bool lowerHem) const {
    const LightweightDataStruct* d = planar(record);
    if (!d) return false;
    int a = d->getStrike(), b = d->getDip();
    m_myMath.computePole(a, b);
    out.init(a, b);
    toHemisphere(out, lowerHem);
    return true;
}

bool Plot::computeDipDir(TwoDPoint<int>& out, const GeoData* record, bool lowerHem) const {
    const LightweightDataStruct* d = planar(record);
    if (!d) return false;
    int a = d->getStrike();
    m_myMath.computeDipDir(a);
    out.init(a, d->getDip());
    toHemisphere(out, lowerHem);
    return true;
}

bool Plot::computeLine(TwoDPoint<int>& out, const GeoData* record, bool lowerHem) const {
    if (!record || !record->data() || !record->data()->hasTrend() || !record->data()->hasPlunge()) return false;
    out.init(record->data()->getTrend(), record->data()->getPlunge());
    toHemisphere(out, lowerHem);
    return true;
}

// ---------------------------------------------------------------- stores

void Plot::setColor(Store& store, const RGBColor& color) {
    for (auto& e : store) {
        for (DataPlotPoint& p : e.second) p.setColor(color);
    }
}

void Plot::setSize(Store& store, Graphics_Size size) {
    for (auto& e : store) {
        for (DataPlotPoint& p : e.second) p.setSize(size);
    }
}

void Plot::setSymbol(Store& store, Graphics_Symbol symbol, Graphics_Symbol reserved) {
    for (auto& e : store) {
        for (DataPlotPoint& p : e.second) {
            if (p.getSymbol() != reserved) p.setSymbol(symbol);
        }
    }
}

void Plot::setCompositeStyle(Store& store, const GraphicsStyle& style) {
    for (auto& e : store) {
        for (DataPlotPoint& p : e.second) p.setCompositeStyle(style);
    }
}

void Plot::addPoint(Store& store, const TwoDPoint<int>& key, const DataPlotPoint& point) {
    store.append(key, point);
    ++m_numData;
}

bool Plot::addPoint(Plot_Data_Type kind, const TwoDPoint<int>& key, const GeoData* record, const PlotParams& params) {
    const PlotColors& c = params.getPlotColors();
    const PlotSymbols& sym = params.getPlotSymbols();
    Store* store = &m_specials;
    const RGBColor* color = &c.special;
    const GraphicsStyle* s = &sym.special;
    switch (kind) {
        case Plot_Fault: store = &m_faults, color = &c.fault, s = &sym.fault; break;
        case Plot_Line: store = &m_lines, color = &c.line, s = &sym.line; break;
        case Plot_Lineation: store = &m_lineations, color = &c.lineation, s = &sym.lineation; break;
        case Plot_Plane: store = &m_planes, color = &c.plane, s = &sym.plane; break;
        case Plot_Special: break;
    }
    store->append(key, DataPlotPoint(GraphicsStyle(*color, s->getStyle(), s->getSize(), s->getSymbol()),
                                     record->getDataReference()));
    ++m_numData;
    return true;
}

void Plot::reserve(Plot_Data_Type kind, std::size_t records) {
    Store* stores[] = {&m_faults, &m_lines, &m_lineations, &m_planes, &m_specials};
    if (kind >= Plot_Fault && kind <= Plot_Special) stores[kind]->reserve(records);
}

bool Plot::computePlanar(TwoDPoint<int>& out, const GeoData* record, Planar_Plot_Style style, bool lowerHem) const {
    switch (style) {
        case Planar_Pole: return computePole(out, record, lowerHem);
        case Planar_Dip_Direction: return computeDipDir(out, record, lowerHem);
        default: return computeGreatCircle(out, record, lowerHem);
    }
}

void Plot::free() {
    for (Store* s : {&m_lines, &m_planes, &m_faults, &m_lineations, &m_specials}) s->clear();
    m_numData = 0;
}

void Plot::reset() {
    m_numData = 0;
    m_savedPort = nullptr;
}

void insertDataset(Plot& plot, const Data& data, const std::function<void(const GeoData*)>& before) {
    using K = GDTypes;
    std::list<SpecialData> axes;
    for (const GeoData* g : data.getDataList()) {
        if (!g || !g->data()) continue;
        if (before) before(g);
        switch (g->getGDType()) {
            case K::GDType_Line: plot.insertLine(g); break;
            case K::GDType_Fault:
                plot.insertFault(g);
                plot.insertLineation(g);  // its slip line, with the arrow of its sense
                break;
            case K::GDType_UStage: {
                const LightweightDataStruct& d = *g->data();
                axes.emplace_back(d.getTrend(), d.getPlunge(), K::GDType_UStageAxis1, nullptr);
                axes.emplace_back(d.getStrike(), d.getDip(), K::GDType_UStageAxis2, nullptr);
                break;
            }
            default:
                if (g->isSpecial()) {
                    plot.insertSpecial(g);
                } else {
                    plot.insertPlane(g);
                }
                break;
        }
    }
    if (!axes.empty()) plot.insert(axes);
}

}  // namespace qzCore
