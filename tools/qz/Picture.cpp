#include "Picture.h"

#include <iostream>

namespace qz {

Picture::Picture(const PictureOptions& options, bool legend) : m_options(options) {
#ifdef QZ_HAVE_CAIRO
    qzCore::CairoPort::Format format = qzCore::CairoPort::Format::Png;
    if (!qzCore::CairoPort::formatOf(options.output, format)) {
        std::cerr << "qz: '" << options.output << "': pictures are .png, .svg or .pdf\n";
        return;
    }
    m_figure = std::make_unique<qzCore::CairoFigure>(format, options.size, options.title, legend);
    m_size = m_figure->plotSize();
    m_ready = true;
#else
    (void)legend;
    std::cerr << "qz: this qz was built without the cairo port: no pictures\n";
#endif
}

Picture::~Picture() = default;

qzCore::GraphicsPort* Picture::port() {
#ifdef QZ_HAVE_CAIRO
    return m_figure ? &m_figure->port() : nullptr;
#else
    return nullptr;
#endif
}

void Picture::drawTitle() {
#ifdef QZ_HAVE_CAIRO
    if (m_figure) m_figure->drawTitle();
#endif
}

int Picture::write() {
#ifdef QZ_HAVE_CAIRO
    if (!m_figure || m_figure->write(m_options.output) != 1) {
        std::cerr << "qz: cannot write '" << m_options.output << "'\n";
        return 1;
    }
    return 0;
#else
    return 1;
#endif
}

}  // namespace qz
