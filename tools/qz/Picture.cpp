#include "Picture.h"

#include <algorithm>
#include <iostream>

namespace qz {

Picture::Picture(const PictureOptions& options, bool legend) : m_options(options) {
#ifdef QZ_HAVE_CAIRO
    qzCore::CairoPort::Format format = qzCore::CairoPort::Format::Png;
    if (!qzCore::CairoPort::formatOf(options.output, format)) {
        std::cerr << "qz: '" << options.output << "': pictures are .png, .svg or .pdf\n";
        return;
    }
    const double diameter = options.size;
    const double radius = diameter / 2.0;
    // Margins: the north label and a title above, the legend to the right.
    const int side = int(std::max(24.0, 0.08 * diameter));
    const int top = side + 24 + (options.title.empty() ? 0 : 28);
    const double width = diameter + 2 * side + (legend ? 0.55 * radius : 0.0);
    const double height = diameter + top + side;
    if (!m_size.init(float(diameter), side, top)) return;
    m_port = std::make_unique<qzCore::CairoPort>(width, height, format);
    m_port->setSize(qzCore::TwoDPoint<float>(float(m_size.getPlotCenter().x()), float(m_size.getPlotCenter().y())),
                    m_size.getHalfSize());
    m_ready = true;
#else
    (void)legend;
    std::cerr << "qz: this qz was built without the cairo port: no pictures\n";
#endif
}

Picture::~Picture() = default;

qzCore::GraphicsPort* Picture::port() {
#ifdef QZ_HAVE_CAIRO
    return m_port.get();
#else
    return nullptr;
#endif
}

void Picture::drawTitle() {
    if (m_options.title.empty() || !port()) return;
    const qzCore::GraphicsStyle text(qzCore::RGBColor(0, 0, 0), qzCore::Style_Solid, qzCore::Size_Smallest,
                                     qzCore::Symbol_Dot);
    // Above the north label: 30 device units over the primitive's top.
    const float y = 1.0f + 2.0f * port()->getEpsilonLength() + 30.0f / m_size.getHalfSize();
    port()->setFont("Arial", 14);
    port()->drawText(m_options.title, qzCore::TwoDPoint<float>(0.0f, y), 2, text, 14);
    port()->setFont("Arial", 12);
}

int Picture::write() {
#ifdef QZ_HAVE_CAIRO
    if (!m_port || m_port->write(m_options.output) != 1) {
        std::cerr << "qz: cannot write '" << m_options.output << "'\n";
        return 1;
    }
    return 0;
#else
    return 1;
#endif
}

}  // namespace qz
