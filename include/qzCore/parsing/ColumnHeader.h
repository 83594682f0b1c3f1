// The header row of a data file: which column holds what, from the words
// field sheets, spreadsheets and the open tools put above their columns.
//
// A header word is matched without regard to case, blanks, '_', '-', '.',
// '/', a degree sign, a unit in brackets or a trailing "deg"/"degrees"
// ("Dip direction (deg)" and "dip_direction_deg" are "dipdirection"), and
// without a StraboSpot prefix "Planar Orientation" / "Linear Orientation".
// Understood:
//  * the column keywords of the library: Strike, Dip, Rake, Trend, Plunge,
//    Slip, Type, Well, Comment, Attr1..Attr4, XLoc, YLoc, ZLoc, MD, #,
//    NX, NY, NZ;
//  * planes by dip direction: "dip direction", "dipdir", "dd", "dip
//    azimuth", apsg's "fazi" (with "finc", the dip), and "azimuth" (see
//    readHeaderRow for when it is a trend);
//  * "strike", "strike rhr"; "dip"; "rake", "pitch"; "trend", "bearing",
//    apsg's "lazi"; "plunge", apsg's "linc"; the sense of slip: "sense",
//    "slip sense", "sense of slip", "movement", StraboSpot's "fault or sz
//    type"; "comment(s)", "note(s)", "remark(s)"; "station", "station id",
//    "site", "well", "well id"; "kind"; "x", "easting"; "y", "northing";
//    "z", "elevation" (and CloudCompare's "center x", ...); "depth",
//    "measured depth"; normals "nx", "ny", "nz", "normal x", "normal y",
//    "normal z" (CloudCompare: x east, y north, z up);
//  * the name of a structure, kept as the record's label (an attribute):
//    "feature type" (StraboSpot, structr), "feature", "structure",
//    "structure type", "plane type", "line type".
#ifndef QZCORE_PARSING_COLUMNHEADER_H
#define QZCORE_PARSING_COLUMNHEADER_H

#include "qzCore/Export.h"

#include <string>
#include <vector>

namespace qzCore {

/// What a header row says of the columns below it.
struct QZCORE_EXPORT HeaderRow {
    /// The data type of each column (qzIEDataTypeOptions numbers); a column
    /// whose word is not understood holds Null_Type (ignored).
    std::vector<int> types;
    /// The words of the columns, as written.
    std::vector<std::string> words;
    /// The Strike column holds dip directions.
    bool dipDirection = false;
    /// Number of columns whose word was understood.
    int understood = 0;
    /// Some field is a number ("-3.8e-01") or begins with a digit ("30SE"):
    /// a row of data, never a header.
    bool numberField = false;
    /// How many fields are numbers (or begin with a digit), and how many
    /// hold anything.
    int numberFields = 0;
    int filledFields = 0;
    /// No field is a number, and some field holds a letter: a row of words
    /// rather than of data.
    bool wordsOnly = false;

    /// Every column understood, at least one of them.
    bool allUnderstood() const { return understood > 0 && understood == int(types.size()); }
};

/// The data type a header word names.  @param dipDirection set when the
/// word names a dip direction (the type is then Strike).  @return false for
/// a word not understood ("azimuth" gives Strike with dipDirection; a
/// header row decides between that and a trend, see readHeaderRow; a
/// structure name gives Attr1, which readHeaderRow numbers on).
QZCORE_EXPORT bool headerWordType(const std::string& word, int& type, bool& dipDirection);

/// Splits `line` by the delimiter bits `delim` (krtIEConstants) and reads
/// each field as a header word.  With the space delimiter, two words that
/// make one header ("Dip Direction", "Measured depth") are taken together.
/// Then, for the row as a whole:
///  * "azimuth" is the trend of a line when the row has a Plunge column and
///    either no Dip column or the azimuth stands after the dip and before
///    the plunge (structr's dip_direction, dip, azimuth, plunge: a fault's
///    plane and slip line); otherwise it is the dip direction of planes;
///  * a Strike column says it already: dip-direction columns beside it are
///    not read (StraboSpot writes both);
///  * normals (NX, NY, NZ) are read only without a Strike column, and only
///    all three together;
///  * several sense-of-slip columns may stand side by side (StraboSpot's
///    movement and fault_or_sz_type): the reader takes the first that is
///    not empty;
///  * structure-name columns become Attr1, Attr2, ... after any attribute
///    columns named as such; beyond Attr4 they are not read.
QZCORE_EXPORT HeaderRow readHeaderRow(const std::string& line, unsigned int delim);

}  // namespace qzCore

#endif  // QZCORE_PARSING_COLUMNHEADER_H
