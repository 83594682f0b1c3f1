// Delimited text: one record a row, columns named by a header row or
// chosen (FileLayout.h says how a file's layout is guessed; Emitter.h how
// it is written).  The reader and writer of every other format is a
// variation on it, and it is what is chosen when nothing else is.
#include "files/formats/FormatUnit.h"

namespace qzCore {
namespace detail {

const FormatUnit& textFormat() {
    static const FormatUnit unit = [] {
        FormatUnit u;
        u.info = {FileFormat::Text, "text", "delimited text with a header row (tab, comma, space, semicolon or colon)",
                  {"txt", "csv", "tsv", "dat"}, true, true};
        u.displayName = "delimited text";
        u.delimitedRows = true;
        return u;
    }();
    return unit;
}

}  // namespace detail
}  // namespace qzCore
