#include "qzCore/ports/CairoFigure.h"

#include <algorithm>
#include <cmath>

namespace qzCore {

namespace {

constexpr int Title_Size = 14;
constexpr int Min_Title_Size = 6;

}  // namespace

CairoFigure::CairoFigure(CairoPort::Format format, int diameter, const std::string& title, bool legend)
    : m_title(title), m_scale(double(std::clamp(diameter, 100, 4000)) / Reference_Size) {
    const double d = Reference_Size * m_scale;
    // Margins as at 400 units, scaled: the north label and a title above,
    // the side labels, a legend column on the right.
    const double side = 32.0 * m_scale;
    const double top = side + 24.0 * m_scale + (title.empty() ? 0.0 : 28.0 * m_scale);
    const double width = d + 2 * side + (legend ? Legend_Width * d / 2.0 : 0.0);
    const double height = d + top + side;
    m_size.init(float(d), int(std::lround(side)), int(std::lround(top)));
    m_port = std::make_unique<CairoPort>(std::ceil(width), std::ceil(height), format);
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
    const double centre = m_port->getWidth() / 2.0;
    const float x = float((centre - m_size.getPlotCenter().x()) / m_size.getHalfSize());
    const float y = 1.0f + 2.0f * m_port->getEpsilonLength() + float(30.0 * m_scale / m_size.getHalfSize());
    m_port->setFont("Arial", size);
    m_port->drawText(fitted, TwoDPoint<float>(x, y), 2, text, size);
    m_port->setFont("Arial", 12);
    return size;
}

}  // namespace qzCore
