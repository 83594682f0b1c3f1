// One record as the current binary version lays it out (the writer's half
// of BinaryInput_v3_3): flags, the comment, eight five-character tokens,
// attributes, station, angles, slip, confidence, kind, X, Y, Z, depth, all
// little-endian whatever the machine.
#ifndef QZCORE_SRC_FILES_BINARYRECORD_H
#define QZCORE_SRC_FILES_BINARYRECORD_H

#include <cstddef>

namespace qzCore {

class GeoData;

/// The longest comment the flag word can describe, characters.
inline constexpr std::size_t Binary_Comment_Room = 255;
/// The most bytes one record takes.
inline constexpr std::size_t Max_Binary_Record_Size = 2 + Binary_Comment_Room + 8 * 5 + 4 + 2 + 5 * 4 + 2 + 4 + 4 + 4 * 8;

/// Writes `g` at `to` (room for Max_Binary_Record_Size bytes); returns
/// the bytes written, 0 for a record without values (skipped).
std::size_t putBinaryRecord(const GeoData& g, char* to);

}  // namespace qzCore

#endif  // QZCORE_SRC_FILES_BINARYRECORD_H
