// What the two halves of qzParser's record conversion share (the records
// and the file rows): the words of kinds.
#ifndef QZCORE_SRC_PARSING_PARSERSUPPORT_H
#define QZCORE_SRC_PARSING_PARSERSUPPORT_H

#include <string>

namespace qzCore {
namespace parsing {

char lowerAscii(char c);
/// The kind of record a full label names (any case), or "#<code>" for a
/// labelled kind.  Neither the reserved kind nor "Auto" names one.
bool kindOfLabel(const std::string& text, char& kind);

}  // namespace parsing
}  // namespace qzCore

#endif  // QZCORE_SRC_PARSING_PARSERSUPPORT_H
