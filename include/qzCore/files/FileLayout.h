// How a data file is laid out, guessed from its name and its first lines
// where the user did not say: the format, the column delimiter, a header
// row and what its words say of the columns.
//
// Rules, in this order:
//  * format: the extension (".fkn", ".net", ".dxf", ".gdf"/".oaf"), else
//    the content: the tag of a binary dataset file, a first line holding
//    "MomentFormat" or "FaultKin", a first word that is a Stereonet layout
//    code (TP, PT, PQ, AD, AZ, QD, DD); anything else is delimited text.
//    (A Stereonet "DD" block holds dip directions; the reader knows.)
//  * delimiter, from the first Sample_Lines lines that are neither blank
//    nor comments ('#'), outside double quotes: a tab if every line has
//    one; else a semicolon if every line has one and every comma sits
//    between two digits (a decimal comma, read as the decimal point); else
//    a comma, a semicolon or a blank if every line has one, in that order;
//    else a comma for ".csv" and a tab otherwise.
//  * header: the row of words that names known columns (ColumnHeader.h),
//    with at most Max_Title_Rows rows of words above it (a spreadsheet's
//    title rows, passed over and counted as such) and no row of data; else
//    the first of those lines when it is a row of words (no field is a
//    number: "-3.8e-01" is data) or names only known columns.  Words not
//    understood become ignored columns.  A header row given together with
//    chosen columns is passed over.
//  * without columns chosen or a header that names any, the default layout:
//    Strike, Dip, Rake, Trend, Plunge, Well, Attr1.
#ifndef QZCORE_FILES_FILELAYOUT_H
#define QZCORE_FILES_FILELAYOUT_H

#include "qzCore/Export.h"

#include <string>
#include <vector>

#include "qzCore/parsing/IEOptions.h"

namespace qzCore {

/// Formats of data files; Brute (the fault listing) is written only.
enum class FileFormat { Auto, Text, Stereonet, FaultKin, Dxf, Binary, Brute };

/// One row of the table of file formats: the name users give it (qz's
/// --format and --to, Python's format=), what it is, its extensions, and
/// whether the library reads and writes it.
struct QZCORE_EXPORT FileFormatInfo {
    FileFormat format;
    const char* name;
    const char* description;
    std::vector<const char*> extensions;
    bool readable;
    bool writable;
};

/// Every format, one row each, in the order hosts list them.
QZCORE_EXPORT const std::vector<FileFormatInfo>& fileFormats();

/// The row of a format by its name ("text", "stereonet", ...; exact);
/// null for none.
QZCORE_EXPORT const FileFormatInfo* fileFormatNamed(const std::string& name);

/// The names of the formats read (or written), in the table's order.
QZCORE_EXPORT std::vector<std::string> fileFormatNames(bool writing);

/// The format a file name's extension names, one table for reading and
/// writing: ".fkn"/".fk"/".faultkin" FaultKin, ".net"/".stereonet"
/// Stereonet, ".dxf" DXF, ".gdf"/".oaf" binary, ".brute"/".lst" the brute
/// listing, ".txt"/".csv"/".tsv"/".dat" delimited text; Auto for any other
/// (any case).
QZCORE_EXPORT FileFormat formatOfExtension(const std::string& name);

/// What the user said of a file; what is left empty is guessed.
struct QZCORE_EXPORT LayoutChoices {
    FileFormat format = FileFormat::Auto;
    /// Delimiter bits (krtIEConstants); 0 to guess.
    unsigned int delimiter = 0;
    /// Data types of the columns (qzIEDataTypeOptions); empty to guess.
    std::vector<int> columns;
    /// The Strike column holds dip directions.
    bool dipDirection = false;
};

struct QZCORE_EXPORT FileLayout {
    FileFormat format = FileFormat::Text;
    unsigned int delimiter = krtIEConstants::Tab_Delim;
    bool decimalComma = false;
    /// A line that is not blank or a comment names the columns.
    bool headerRow = false;
    /// Rows of words above the header row (titles), passed over.
    int titleRows = 0;
    bool dipDirection = false;
    /// Data types of the columns; empty for the default layout.
    std::vector<int> columns;
    /// The columns were read from a header (or defaulted), not chosen.
    bool columnsGuessed = false;
    /// Words of a header row that name no column (their columns are
    /// ignored).
    std::vector<std::string> ignoredWords;

    /// Sets the reading options of this layout (on top of
    /// setDefaultColumnOptions); the caller adds reporting and attributes.
    void applyTo(qzIEColumnOptions& options) const;
    /// "delimited text", "Stereonet", ...
    static const char* formatName(FileFormat f);
    /// "tab", "comma", ...
    static const char* delimiterName(unsigned int delimiter);
    /// The columns as read, in words: "Strike (dip direction), Dip, -, Rake".
    std::string columnsText() const;
};

/// Turns UTF-16 text (with a byte-order mark, or without one when its first
/// characters are ASCII with a zero byte beside each) into UTF-8, in
/// place; an unpaired surrogate becomes U+FFFD.  False (unchanged) for
/// anything else.  Hosts that read whole files call it before guessing;
/// the line reader itself reports each line of a UTF-16 file it is handed
/// (every line holds NUL bytes).
QZCORE_EXPORT bool decodeUtf16(std::string& content);

/// Lines that take part in guessing the delimiter.
constexpr int Sample_Lines = 20;
/// Rows of words a header row may have above it (StraboSpot's spreadsheets
/// have two).
constexpr int Max_Title_Rows = 10;

/// The format of a file by its name and the start of its content.
QZCORE_EXPORT FileFormat guessFileFormat(const std::string& name, const std::string& content);
/// The layout of a file by its name, the start of its content (a few
/// kilobytes are enough) and the user's choices.
QZCORE_EXPORT FileLayout guessFileLayout(const std::string& name, const std::string& content, const LayoutChoices& given);

}  // namespace qzCore

#endif  // QZCORE_FILES_FILELAYOUT_H
