// The formats of other programs (every format of the table without a
// target of its own: not delimited text, not the binary file), read and
// written.  The first byte chooses the format read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"

namespace {

bool ownTarget(qzCore::FileFormat f) { return f == qzCore::FileFormat::Text || f == qzCore::FileFormat::Binary; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<qzCore::FileFormatInfo> formats = [] {
        std::vector<qzCore::FileFormatInfo> out;
        for (const qzCore::FileFormatInfo& f : qzCore::fileFormats()) {
            if (!ownTarget(f.format)) out.push_back(f);
        }
        return out;
    }();
    std::vector<qzCore::FileFormat> read;
    for (const qzCore::FileFormatInfo& f : formats) {
        if (f.readable) read.push_back(f.format);
    }
    if (size == 0 || read.empty()) return 0;
    const std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);
    qzfuzz::Session s;
    qzCore::qzIEColumnOptions o;
    o.setDefaultColumnOptions();
    qzCore::FileLayout layout;
    layout.format = read[data[0] % read.size()];
    layout.applyTo(o);
    const unsigned char id = s.read(content, o);
    if (id == 0) return 0;
    for (const qzCore::FileFormatInfo& f : formats) {
        if (!f.writable) continue;
        qzCore::qzIEColumnOptions w;
        qzCore::exportOptionsFor(f.format, "out", w);
        s.write(id, w);
    }
    return 0;
}
