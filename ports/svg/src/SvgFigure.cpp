#include "qzCore/ports/SvgFigure.h"

#include "qzCore/plot/FigureCanvas.h"

namespace qzCore {

namespace {

/// An average glyph's width in ems, for a text the port cannot measure.
constexpr double Glyph_Width = 0.55;

/// Characters (not bytes) of UTF-8 text.
std::size_t glyphs(const std::string& s) {
    std::size_t n = 0;
    for (const char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

}  // namespace

SvgFigure::SvgFigure(int diameter, const std::string& title, bool legend) : m_title(title) {
    const FigureCanvas canvas = figureCanvas(diameter, !title.empty(), legend);
    m_scale = canvas.scale;
    m_size = canvas.size;
    m_port = std::make_unique<SvgPort>(canvas.width, canvas.height);
    m_port->setScale(m_scale);
    m_port->setSize(TwoDPoint<float>(float(m_size.getPlotCenter().x()), float(m_size.getPlotCenter().y())),
                    m_size.getHalfSize());
}

void SvgFigure::drawTitle() {
    if (m_title.empty()) return;
    auto width = [&](const std::string& t, int size) {
        return double(glyphs(t)) * Glyph_Width * size * SvgPort::Text_Scale * m_scale;
    };
    int size = 0;
    const std::string text = fitTitle(m_title, m_port->getWidth() - 8.0 * m_scale, width, size);
    FigureCanvas canvas;
    canvas.scale = m_scale;
    canvas.width = m_port->getWidth();
    canvas.size = m_size;
    const GraphicsStyle ink(RGBColor(0, 0, 0), Style_Solid, Size_Smallest, Symbol_Dot);
    m_port->drawText(text, titlePosition(canvas, m_port->getEpsilonLength()), 2, ink, size);
}

}  // namespace qzCore
