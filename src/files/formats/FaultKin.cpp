// FaultKin's text files.  They start with a line holding "MomentFormat" or
// "FaultKin"; each record is a marker line ("TR", "TL", "NR", "NL": T for a
// thrust (reverse) component, N for a normal one, R and L for a right- or
// left-lateral one) followed by a blank-separated data line (strike, dip,
// trend, plunge, ...).  The sense is the marker's first letter's, unless
// the slip line lies nearer the strike than the dip: then it is the
// lateral sense of its second letter.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <istream>
#include <ostream>

#include "files/formats/FormatUnit.h"
#include "files/formats/LineWords.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/Emitter.h"
#include "qzCore/files/qzFileParser.h"
#include "qzCore/parsing/DataStruct.h"
#include "qzCore/parsing/GDTypes.h"
#include "qzCore/records/GeoData.h"
#include "qzCore/shared/MyMath.h"

namespace qzCore {

int qzFileParser::tokenizeFaultKin(std::istream& in, TokenList& tokens) {
    tokens.reset();
    m_faultKinMarker.clear();
    // The first line, read and checked when the reading began: counted as
    // the file's header.
    if (m_firstLinePending) {
        m_firstLinePending = false;
        m_layoutLine = true;
        return Error::Null_Input_Line;
    }
    bool reverse = false;
    for (;;) {
        if (!grabLine(in)) return Error::Parsing_Incomplete;
        const std::string marker = detail::trimmed(getLineBuffer());
        if (marker == "TR" || marker == "TL" || marker == "NR" || marker == "NL") {
            reverse = marker.find('T') != std::string::npos;
            m_faultKinMarker = marker;
            break;
        }
    }
    if (!grabLine(in)) return Error::Parsing_Incomplete;
    // Data lines are blank-separated, whatever the column delimiter says.
    const std::vector<std::string> t = detail::words(getLineBuffer());
    for (std::size_t i = 0; i < t.size() && i < tokens.capacity(); ++i) tokens.set(i, t[i]);
    std::string keyword;
    GDSlipTypes::instance().get(reverse ? GDSlipTypes::GDSlipType_ReverseSlip : GDSlipTypes::GDSlipType_NormalSlip,
                                keyword);
    tokens.set(4, keyword);
    return 1;
}

namespace detail {

namespace {

/// The lateral sense the marker names, for a slip line nearer the strike
/// than the dip (at 45 degrees the first letter's normal or reverse sense
/// stays).
void takeLateralSense(const std::string& marker, TokenStruct& tokens, DataStruct& data) {
    if (marker.size() != 2 || !data.hasStrike() || !data.hasTrend() || !data.hasPlunge()) return;
    const double cosine = Matrix_1(double(data.getStrike()), 0.0).dotProduct(
        Matrix_1(double(data.getTrend()), double(data.getPlunge())));
    const int angle = FloatToInt_Global(std::acos(std::max(-1.0, std::min(1.0, cosine))) * MyMath::Rad_To_Deg);
    if (angle >= 45 && angle <= 135) return;
    const char slip = marker[1] == 'L' ? GDSlipTypes::GDSlipType_LeftLatSlip : GDSlipTypes::GDSlipType_RightLatSlip;
    std::string keyword;
    GDSlipTypes::instance().get(slip, keyword);
    tokens.setTokenValue(TokenStruct::Slip_Token, keyword.c_str());
    data.setSlipType(slip);
}

}  // namespace

const FormatUnit& faultKinFormat() {
    static const FormatUnit unit = [] {
        FormatUnit u;
        u.info = {FileFormat::FaultKin, "faultkin", "FaultKin's text files (MomentFormat)", {"fkn", "fk", "faultkin"},
                  true, true};
        u.displayName = "FaultKin";
        u.optionBit = qzIEColumnOptions::IE_FaultKin_File;
        u.recognise = [](const std::string&, const std::string& firstLine) {
            return firstLine.find("MomentFormat") != std::string::npos || firstLine.find("FaultKin") != std::string::npos;
        };
        u.readOptions = [](qzIEColumnOptions& o) {
            o.setIEOption(qzIEColumnOptions::IE_FaultKin_File);
            o.setDefaultFaultKinInputColumnChoices();
            o.setColumnDelim(krtIEConstants::Space_Delim | krtIEConstants::Tab_Delim);
        };
        // @throw -31 for a file without a first line, -60 for a first line
        // without "MomentFormat" or "FaultKin".
        u.start = [](qzFileParser& r, std::istream& in) {
            if (!r.grabLine(in)) throw Error::Unknown_File_Format;
            const char* first = r.getLineBuffer();
            if (!std::strstr(first, "MomentFormat") && !std::strstr(first, "FaultKin")) throw Error::Bad_FaultKin_File;
            r.markFirstLinePending();
        };
        u.nextRecord = [](qzFileParser& r, std::istream& in, TokenList& cells) { return r.tokenizeFaultKin(in, cells); };
        u.finishRecord = [](const qzFileParser& r, TokenStruct& tokens, DataStruct& data) {
            takeLateralSense(r.faultKinMarker(), tokens, data);
        };
        u.write = [](const Emitter& e, std::ostream& out) {
            out << "MomentFormat\n";
            for (const GeoData* g : e.records()) {
                if (!Emitter::inFaultKin(g)) continue;
                const LightweightDataStruct* d = g->data();
                out << "\n 0  0    0\n\n\n0 0 0 0 0 0\n\n\n\n";
                const bool inStrike = d->hasSlipInStrikeDirection(), cw = d->hasCWSlip();
                std::string marker = inStrike ? (cw ? "TR" : "NL") : (cw ? "NR" : "TL");
                // Pure dip slip (slip line at right angles to the strike):
                // the table above would call a normal fault T and a reverse
                // fault N.  The sense itself names the letter there.
                if (FaultData::slipAngle(d->getStrike(), d->getTrend(), d->getPlunge()) == 90) {
                    if (d->getSlip() == GDSlipTypes::GDSlipType_NormalSlip) marker[0] = 'N';
                    if (d->getSlip() == GDSlipTypes::GDSlipType_ReverseSlip) marker[0] = 'T';
                }
                out << marker << '\n';
                out << ' ' << d->getStrike() << ' ' << d->getDip() << ' ' << d->getTrend() << ' ' << d->getPlunge()
                    << " 0 0 0 0\n";
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
