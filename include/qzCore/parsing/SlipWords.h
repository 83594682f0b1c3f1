// The words people write for the sense of slip of a fault, and what each
// says once the fault's plane and slip line are known.
//
// Read without regard to case or to the separators ' ', '_', '-', '/',
// '+', '.' between words (the table the README shows):
//   normal, norm, n                              normal
//   reverse, rev, thrust, inverse                reverse
//   dextral, right-lateral, rl, rlat, dex        right-lateral
//   sinistral, left-lateral, ll, llat, sin       left-lateral
//   two of them joined ("dextral_normal", "Normal-Sinistral", "sinistral
//   reverse") and FaultKin's TL, TR, NL, NR (T thrust, N normal, L, R
//   lateral): the movement with both components; the fault takes the
//   larger one's name, as the FaultKin reader does (the lateral one on a
//   slip line nearer the strike than the dip), and components that
//   contradict each other on the slip line leave the sense ambiguous;
//   +1 and -1 in any decimal form ("1.0", "-1"; structr, apsg): the hanging
//   wall moved down (+1, a normal component) or up (-1) along the slip
//   line; on a horizontal slip line they say nothing: ambiguous;
//   N_side_up, SW_side_down, ... (StraboSpot): the named side up or down,
//   reverse when that side is the hanging wall going up or the footwall
//   going down, normal otherwise; ambiguous on a vertical plane or a side
//   along the strike;
//   R alone: reverse in some tools, right-lateral in others: ambiguous.
// The library's own keywords (Norm, Rev, RLat, LLat, Ambig, None, All) are
// read before this table (qzParser).
#ifndef QZCORE_PARSING_SLIPWORDS_H
#define QZCORE_PARSING_SLIPWORDS_H

#include "qzCore/Export.h"

#include <string>

namespace qzCore {

/// What a word of a sense-of-slip column says.
struct QZCORE_EXPORT SlipWord {
    enum Kind {
        Unknown,    ///< no word of the table
        Sense,      ///< one sense: `sense`
        Combined,   ///< a dip-slip and a lateral component: `dipSlip`, `lateral`
        Sign,       ///< +1 or -1: `sign`
        Side,       ///< a side (`sideAzimuth`) up (`sign` +1) or down (-1)
        Ambiguous   ///< a word of two meanings ("R")
    };
    Kind kind = Unknown;
    char sense = 0;    ///< GDSlipTypes code
    char dipSlip = 0;  ///< GDSlipType_NormalSlip or GDSlipType_ReverseSlip
    char lateral = 0;  ///< GDSlipType_RightLatSlip or GDSlipType_LeftLatSlip
    int sign = 0;
    int sideAzimuth = 0;  ///< degrees
};

/// Reads a word of the table (see the file comment).
QZCORE_EXPORT SlipWord readSlipWord(const std::string& text);

/// The word in at most five characters that reads back as the same
/// SlipWord (a token holds five): a keyword, FaultKin's two letters, "+1",
/// "^NE" / "vNE" for a side up or down, "R".  Empty for Unknown.
QZCORE_EXPORT std::string compactSlipWord(const SlipWord& word);

/// The sense a word gives a fault with plane (strike, dip; right-hand rule)
/// and slip line (trend, plunge), whole degrees; a trend below 0 means no
/// slip line.  `sense` receives a GDSlipTypes code (GDSlipType_AmbigSlip
/// when the word says no direction on this fault).  @return 0, or the
/// error-table code of a remark on the sense: Error::Ambiguous_Slip_Word,
/// Error::Slip_Sign_On_Horizontal_Line, Error::Contradictory_Slip_Sense.
QZCORE_EXPORT int senseOnFault(const SlipWord& word, int strike, int dip, int trend, int plunge, char& sense);

/// The angle A, whole degrees 0..180, between the horizontal line along
/// the strike and the slip line (trend, plunge).
QZCORE_EXPORT int slipAngleOf(int strike, int trend, int plunge);
/// The sense of rotation of slip code `slip` on a slip line at angle A,
/// seen against the plane: 1 counter-clockwise (left-lateral, or normal up
/// to A = 90 and reverse beyond), 0 clockwise, -1 neither (a dip-slip
/// sense on a strike-slip line, a lateral one on a dip-slip line, or a code
/// that names no direction).
QZCORE_EXPORT int slipRotation(int angle, char slip);

}  // namespace qzCore

#endif  // QZCORE_PARSING_SLIPWORDS_H
