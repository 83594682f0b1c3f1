// The brute fault listing, written for other programs (never read): one
// line per fault with a sense of slip, "strike dip trend plunge sense
// quality", the sense 1 for clockwise and 2 for anticlockwise, the quality
// 4 (best) to 1 from the record's confidence.
#include <cstdio>
#include <ostream>

#include "files/formats/FormatUnit.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/Emitter.h"
#include "qzCore/records/GeoData.h"

namespace qzCore {
namespace detail {

const FormatUnit& bruteFormat() {
    static const FormatUnit unit = [] {
        FormatUnit u;
        u.info = {FileFormat::Brute, "brute", "the brute fault listing, written for other programs", {"brute", "lst"},
                  false, true};
        u.displayName = "brute listing";
        u.optionBit = qzIEColumnOptions::IE_Write_Brute_Listing;
        u.write = [](const Emitter& e, std::ostream& out) {
            for (const GeoData* g : e.records()) {
                // Its sense column is clockwise or not: a fault needs a direction.
                if (!Emitter::inFaultKin(g)) continue;
                const LightweightDataStruct* d = g->data();
                int code = 0;
                switch (d->getConf()) {
                    case 0:
                    case 1: code = 4; break;
                    case 2: code = 3; break;
                    case 3: code = 2; break;
                    case 4: code = 1; break;
                    default: code = 0; break;
                }
                char line[128];
                std::snprintf(line, sizeof line, "%d  %d  %d  %d  %d  %d\n", d->getStrike(), d->getDip(), d->getTrend(),
                              d->getPlunge(), d->hasCWSlip() ? 1 : 2, code);
                out << line;
            }
            return out.good() ? 1 : int(Error::File_Write_Error);
        };
        u.holds = Emitter::inFaultKin;
        return u;
    }();
    return unit;
}

}  // namespace detail
}  // namespace qzCore
