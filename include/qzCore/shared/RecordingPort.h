// A graphics port that draws nothing and keeps every call with its
// arguments, in plot units: for tests (ours and a host's) that assert what
// a plot draws, and for hosts that want the drawing as data.
#ifndef QZCORE_SHARED_RECORDINGPORT_H
#define QZCORE_SHARED_RECORDINGPORT_H

#include "qzCore/Export.h"

#include <set>
#include <string>
#include <vector>

#include "qzCore/shared/Graphics.h"

namespace qzCore {

/// One call on the port.
struct QZCORE_EXPORT RecordedCall {
    enum Kind : int {
        Set_Line_Size,
        Set_Color_Table,
        Draw_Arrow,
        Begin_Group,
        End_Group,
        Draw_Plane_Arc,
        Apply_Color_Table,
        Draw_Line,
        Draw_Path,
        Draw_Wedge,
        Draw_Symbol,
        Draw_Box,
        Set_Fill_Style,
        End_Fill,
        End_Frame,
        Set_Font,
        Draw_Text,
        Fill_Paths
    };
    Kind kind = Begin_Group;
    /// The points, in argument order: arrow tail and head; line ends; the
    /// path's points; wedge centre and start; the symbol's place; box
    /// corners; text place.
    std::vector<TwoDPoint<float>> points;
    /// The (first) style: of the arrow, arc, line, path, symbol; a wedge's
    /// and box's outline; the fill style set.
    GraphicsStyle style;
    /// The second style: a symbol's, wedge's or box's fill.
    GraphicsStyle fill;
    /// Numbers, in argument order: arrow head size; arc radius and
    /// rotation; wedge radius and sweep; symbol size.
    std::vector<float> values;
    /// Flags, in argument order (arc flag; path fill, close, smooth; wedge
    /// flag; symbol filled; box swatch and filled).
    std::vector<bool> flags;
    /// Line size, font size, text anchor then text size; the number of
    /// points of each path filled together (their points follow one
    /// another in `points`).
    std::vector<int> ints;
    /// Font face or text.
    std::string text;
    /// The port's swatchFlag when the call was made.
    bool swatch = false;
    /// The colours of a colour table.
    std::vector<RGBColor> colors;
};

class QZCORE_EXPORT RecordingPort : public GraphicsPort {
public:
    /// @param colorTable what usesColorTable answers.
    explicit RecordingPort(bool colorTable = false) : m_colorTable(colorTable) {}

    const std::vector<RecordedCall>& calls() const { return m_calls; }
    /// The calls of one kind, in order.
    std::vector<RecordedCall> callsOf(RecordedCall::Kind kind) const;
    void clear() { m_calls.clear(); }

    void setLineSize(int size) override;
    void setColorTable(const std::set<RGBColor, RGBColorLess>& colors) override;
    void drawArrow(const TwoDPoint<float>& tail, const TwoDPoint<float>& head, const GraphicsStyle& style,
                   float headSize) override;
    void beginGroup() override;
    void endGroup() override;
    void drawPlaneArc(float radius, float rotation, const GraphicsStyle& style, bool flag) override;
    void applyColorTable() override;
    void drawLine(const TwoDPoint<float>& from, const TwoDPoint<float>& to, const GraphicsStyle& style) override;
    bool usesColorTable() override { return m_colorTable; }
    void drawPath(const GraphicsPath& path, const GraphicsStyle& style, bool fill, bool close, bool smooth) override;
    void drawWedge(const TwoDPoint<float>& centre, const TwoDPoint<float>& start, float radius, float sweep,
                   const GraphicsStyle& fill, const GraphicsStyle& outline, bool flag) override;
    void drawSymbol(const TwoDPoint<float>& at, const GraphicsStyle& style, float size, const GraphicsStyle& fill,
                    bool filled) override;
    void drawBox(const TwoDPoint<float>& corner1, const TwoDPoint<float>& corner2, const GraphicsStyle& outline,
                 const GraphicsStyle& fill, bool swatch, bool filled) override;
    void setFillStyle(const GraphicsStyle& style) override;
    void endFill() override;
    void endFrame() override;
    void setFont(const std::string& face, int size) override;
    void drawText(const std::string& text, const TwoDPoint<float>& at, int anchor, const GraphicsStyle& style,
                  int size) override;
    void fillPaths(const std::list<GraphicsPath>& paths, const GraphicsStyle& style) override;

private:
    RecordedCall& add(RecordedCall::Kind kind);

    bool m_colorTable;
    std::vector<RecordedCall> m_calls;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_RECORDINGPORT_H
