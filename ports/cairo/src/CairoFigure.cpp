#include "qzCore/ports/CairoFigure.h"

#include <algorithm>
#include <cmath>

#include "qzCore/plot/FigureCanvas.h"

namespace qzCore {

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
    return qzCore::fitTitle(m_title, m_port->getWidth() - 8.0 * m_scale,
                            [this](const std::string& t, int points) { return m_port->textWidth(t, points); }, size);
}

int CairoFigure::drawTitle() {
    if (m_title.empty()) return 0;
    const GraphicsStyle text(RGBColor(0, 0, 0), Style_Solid, Size_Smallest, Symbol_Dot);
    int size = 0;
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
