// DXF text: orientations written as TEXT entities of a drawing.  Accepted
// and passed over: it yields no records this library reads.
#include <istream>

#include "files/formats/FormatUnit.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/qzFileParser.h"

namespace qzCore {

int qzFileParser::tokenizeDXF(std::istream& in, TokenList& tokens) {
    tokens.reset();
    while (grabLine(in)) {
    }
    return 1;
}

namespace detail {

const FormatUnit& dxfFormat() {
    static const FormatUnit unit = [] {
        FormatUnit u;
        u.info = {FileFormat::Dxf, "dxf", "orientations written as TEXT entities of a DXF drawing", {"dxf"}, true, false};
        u.displayName = "DXF text";
        u.optionBit = qzIEColumnOptions::IE_DXF_Text;
        u.readOptions = [](qzIEColumnOptions& o) {
            o.setIEOption(qzIEColumnOptions::IE_DXF_Text);
            o.setDXFColumnChoices();
        };
        u.nextRecord = [](qzFileParser& r, std::istream& in, TokenList& cells) {
            r.tokenizeDXF(in, cells);
            return int(Error::Null_Input_Line);
        };
        return u;
    }();
    return unit;
}

}  // namespace detail
}  // namespace qzCore
