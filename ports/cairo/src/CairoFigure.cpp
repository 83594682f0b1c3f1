#include "qzCore/ports/CairoFigure.h"

#include <algorithm>
#include <cmath>

#include "qzCore/plot/FigureCanvas.h"

namespace qzCore {

namespace {

constexpr int Title_Size = 14;
constexpr int Min_Title_Size = 6;

}  // namespace

CairoFigure::CairoFigure(CairoPort::Format format, int diameter, const std::string& title, bool legend)
    : m_title(title) {
    const FigureCanvas canvas = figureCanvas(diameter, !title.empty(), legend);
    m_scale = canvas.scale;
    m_size = canvas.size;
    m_port = std::make_unique<CairoPort>(canvas.width, canvas.height, format);
    m_port->setScale(m_scale);
    m_port->setSize(TwoDPoint<float>(float(m_size.getPlotCenter().x()), float(m_size.getPlotCenter().y())),
                    m_size.getHalfSize());
}

std::string CairoFigure::fitTitle(int& size) {
    const double room = m_port->getWidth() - 8.0 * m_scale;
    size = Title_Size;
    while (size > Min_Title_Size && m_port->textWidth(m_title, size) > room) --size;
    std::string text = m_title;
    while (text.size() > 1 && m_port->textWidth(text, size) > room) {
        // Cut whole UTF-8 characters (and the ellipsis added before).
        if (text.size() >= 3 && text.compare(text.size() - 3, 3, "\xe2\x80\xa6") == 0) text.resize(text.size() - 3);
        do {
            text.pop_back();
        } while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80);
        if (!text.empty()) text.pop_back();
        text += "\xe2\x80\xa6";
    }
    return text;
}

int CairoFigure::drawTitle() {
    if (m_title.empty()) return 0;
    const GraphicsStyle text(RGBColor(0, 0, 0), Style_Solid, Size_Smallest, Symbol_Dot);
    int size = Title_Size;
    const std::string fitted = fitTitle(size);
    FigureCanvas canvas;
    canvas.scale = m_scale;
    canvas.width = m_port->getWidth();
    canvas.size = m_size;
    const TwoDPoint<float> at = titlePosition(canvas, m_port->getEpsilonLength());
    m_port->setFont("Arial", size);
    m_port->drawText(fitted, at, 2, text, size);
    m_port->setFont("Arial", 12);
    return size;
}

}  // namespace qzCore
