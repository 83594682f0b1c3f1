// The header row of a data file: which column holds what, from the words
// field sheets and spreadsheets put above their columns.
//
// A header word is matched without regard to case, blanks, '_', '-', '.',
// a degree sign or a unit in brackets ("Dip direction (deg)" is
// "dipdirection").  Understood:
//  * the column keywords of the library: Strike, Dip, Rake, Trend, Plunge,
//    Slip, Type, Well, Comment, Attr1..Attr4, XLoc, YLoc, ZLoc, MD, #;
//  * planes by dip direction: "dip direction", "dipdir", "dip azimuth",
//    and "azimuth" beside a Dip column (beside a Plunge column "azimuth" is
//    the trend of lines);
//  * "strike", "strike rhr"; "dip"; "rake", "pitch"; "trend", "bearing";
//    "plunge"; "sense", "slip sense", "sense of slip", "movement";
//    "comment(s)", "note(s)", "remark(s)"; "station", "station id", "site",
//    "well", "well id"; "kind"; "x", "easting"; "y", "northing";
//    "z", "elevation"; "depth", "measured depth".
#ifndef QZCORE_PARSING_COLUMNHEADER_H
#define QZCORE_PARSING_COLUMNHEADER_H

#include <string>
#include <vector>

namespace qzCore {

/// What a header row says of the columns below it.
struct HeaderRow {
    /// The data type of each column (qzIEDataTypeOptions numbers); a column
    /// whose word is not understood holds Null_Type (ignored).
    std::vector<int> types;
    /// The words of the columns, as written.
    std::vector<std::string> words;
    /// The Strike column holds dip directions.
    bool dipDirection = false;
    /// Number of columns whose word was understood.
    int understood = 0;
    /// No field begins with a digit, and some field holds a letter: a row
    /// of words rather than of data.
    bool wordsOnly = false;

    /// Every column understood, at least one of them.
    bool allUnderstood() const { return understood > 0 && understood == int(types.size()); }
};

/// The data type a header word names.  @param dipDirection set when the
/// word names a dip direction (the type is then Strike).  @return false for
/// a word not understood ("azimuth" gives Strike with dipDirection; a
/// header row decides between that and a trend, see readHeaderRow).
bool headerWordType(const std::string& word, int& type, bool& dipDirection);

/// Splits `line` by the delimiter bits `delim` (krtIEConstants) and reads
/// each field as a header word.  With the space delimiter, two words that
/// make one header ("Dip Direction", "Measured depth") are taken together.
HeaderRow readHeaderRow(const std::string& line, unsigned int delim);

}  // namespace qzCore

#endif  // QZCORE_PARSING_COLUMNHEADER_H
