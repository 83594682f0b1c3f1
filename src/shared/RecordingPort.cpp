#include "qzCore/shared/RecordingPort.h"

namespace qzCore {

RecordedCall& RecordingPort::add(RecordedCall::Kind kind) {
    m_calls.emplace_back();
    m_calls.back().kind = kind;
    m_calls.back().swatch = swatchFlag;
    return m_calls.back();
}

std::vector<RecordedCall> RecordingPort::callsOf(RecordedCall::Kind kind) const {
    std::vector<RecordedCall> out;
    for (const RecordedCall& c : m_calls) {
        if (c.kind == kind) out.push_back(c);
    }
    return out;
}

void RecordingPort::setLineSize(int size) { add(RecordedCall::Set_Line_Size).ints = {size}; }

void RecordingPort::setColorTable(const std::set<RGBColor, RGBColorLess>& colors) {
    add(RecordedCall::Set_Color_Table).colors.assign(colors.begin(), colors.end());
}

void RecordingPort::drawArrow(const TwoDPoint<float>& tail, const TwoDPoint<float>& head, const GraphicsStyle& style,
                              float headSize) {
    RecordedCall& c = add(RecordedCall::Draw_Arrow);
    c.points = {tail, head};
    c.style = style;
    c.values = {headSize};
}

void RecordingPort::beginGroup() { add(RecordedCall::Begin_Group); }
void RecordingPort::endGroup() { add(RecordedCall::End_Group); }

void RecordingPort::drawPlaneArc(float radius, float rotation, const GraphicsStyle& style, bool flag) {
    RecordedCall& c = add(RecordedCall::Draw_Plane_Arc);
    c.values = {radius, rotation};
    c.style = style;
    c.flags = {flag};
}

void RecordingPort::applyColorTable() { add(RecordedCall::Apply_Color_Table); }

void RecordingPort::drawLine(const TwoDPoint<float>& from, const TwoDPoint<float>& to, const GraphicsStyle& style) {
    RecordedCall& c = add(RecordedCall::Draw_Line);
    c.points = {from, to};
    c.style = style;
}

void RecordingPort::drawPath(const GraphicsPath& path, const GraphicsStyle& style, bool fill, bool close,
                             bool smooth) {
    RecordedCall& c = add(RecordedCall::Draw_Path);
    c.points.assign(path.getPoints().begin(), path.getPoints().end());
    c.style = style;
    c.flags = {fill, close, smooth};
}

void RecordingPort::fillPaths(const std::list<GraphicsPath>& paths, const GraphicsStyle& style) {
    RecordedCall& c = add(RecordedCall::Fill_Paths);
    for (const GraphicsPath& p : paths) {
        c.points.insert(c.points.end(), p.getPoints().begin(), p.getPoints().end());
        c.ints.push_back(int(p.size()));
    }
    c.style = style;
}

void RecordingPort::drawWedge(const TwoDPoint<float>& centre, const TwoDPoint<float>& start, float radius,
                              float sweep, const GraphicsStyle& fill, const GraphicsStyle& outline, bool flag) {
    RecordedCall& c = add(RecordedCall::Draw_Wedge);
    c.points = {centre, start};
    c.values = {radius, sweep};
    c.fill = fill;
    c.style = outline;
    c.flags = {flag};
}

void RecordingPort::drawSymbol(const TwoDPoint<float>& at, const GraphicsStyle& style, float size,
                               const GraphicsStyle& fill, bool filled) {
    RecordedCall& c = add(RecordedCall::Draw_Symbol);
    c.points = {at};
    c.style = style;
    c.values = {size};
    c.fill = fill;
    c.flags = {filled};
}

void RecordingPort::drawBox(const TwoDPoint<float>& corner1, const TwoDPoint<float>& corner2,
                            const GraphicsStyle& outline, const GraphicsStyle& fill, bool swatch, bool filled) {
    RecordedCall& c = add(RecordedCall::Draw_Box);
    c.points = {corner1, corner2};
    c.style = outline;
    c.fill = fill;
    c.flags = {swatch, filled};
}

void RecordingPort::setFillStyle(const GraphicsStyle& style) { add(RecordedCall::Set_Fill_Style).style = style; }
void RecordingPort::endFill() { add(RecordedCall::End_Fill); }
void RecordingPort::endFrame() { add(RecordedCall::End_Frame); }

void RecordingPort::setFont(const std::string& face, int size) {
    RecordedCall& c = add(RecordedCall::Set_Font);
    c.text = face;
    c.ints = {size};
}

void RecordingPort::drawText(const std::string& text, const TwoDPoint<float>& at, int anchor,
                             const GraphicsStyle& style, int size) {
    RecordedCall& c = add(RecordedCall::Draw_Text);
    c.text = text;
    c.points = {at};
    c.ints = {anchor, size};
    c.style = style;
}

}  // namespace qzCore
