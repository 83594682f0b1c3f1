// Characters and delimiter codes of delimited text files.
#ifndef QZCORE_SHARED_KRTIECONSTANTS_H
#define QZCORE_SHARED_KRTIECONSTANTS_H

#include "qzCore/Export.h"

namespace qzCore {

struct QZCORE_EXPORT krtIEConstants {
    static constexpr char Null_Delim_Char = '\0';    ///< end of a text
    static constexpr char Period_Delim_Char = '.';   ///< decimal point
    static constexpr char Tab_Delim_Char = '\t';
    static constexpr char Comma_Delim_Char = ',';
    static constexpr char Space_Delim_Char = ' ';
    static constexpr char Semi_Colon_Delim_Char = ';';
    static constexpr char Colon_Delim_Char = ':';
    static constexpr char Quote_Char = '"';          ///< encloses a field holding delimiters

    static constexpr const char* Tab_Delim_Char_Pointer = "\t";
    static constexpr const char* Comma_Delim_Char_Pointer = ",";
    static constexpr const char* Space_Delim_Char_Pointer = " ";
    static constexpr const char* Semi_Colon_Delim_Char_Pointer = ";";
    static constexpr const char* Colon_Delim_Char_Pointer = ":";
    static constexpr const char* Period_Delim_Char_Pointer = ".";

    /// Column delimiter bits of ieColumnOptions; several may be set at once
    /// and then any of their characters separates columns.
    static constexpr unsigned int Tab_Delim = 0x1;
    static constexpr unsigned int Comma_Delim = 0x10;
    static constexpr unsigned int Space_Delim = 0x100;
    static constexpr unsigned int Semi_Colon_Delim = 0x1000;
    static constexpr unsigned int Colon_Delim = 0x10000;
    static constexpr unsigned int Period_Delim = 0x100000;
    static constexpr unsigned int All_Delims =
        Tab_Delim | Comma_Delim | Space_Delim | Semi_Colon_Delim | Colon_Delim | Period_Delim;

    /// Longest line a file parser holds, in characters (without the line
    /// end): room for the longest row the text writer can write (every
    /// column filled, a comment of 255 quotes written as 512 characters),
    /// with a bound on what one line may cost.
    static constexpr int Max_Line_Length = 1023;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_KRTIECONSTANTS_H
