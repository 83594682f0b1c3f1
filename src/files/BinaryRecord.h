// One record as the current binary version lays it out (the writer's half
// of BinaryInput_v3_3): flags, the comment, eight five-character tokens,
// attributes, station, angles, slip, confidence, kind, X, Y, Z, depth, all
// little-endian whatever the machine.
#ifndef QZCORE_SRC_FILES_BINARYRECORD_H
#define QZCORE_SRC_FILES_BINARYRECORD_H

#include <cstddef>

#include "qzCore/files/Emitter.h"

namespace qzCore {

class GeoData;

/// The most bytes one record takes (its comment at most as long as the
/// flag word can describe).
inline constexpr std::size_t Max_Binary_Record_Size =
    2 + Emitter::Max_Binary_Comment_Length + 8 * 5 + 4 + 2 + 5 * 4 + 2 + 4 + 4 + 4 * 8;

/// Writes `g` at `to` (room for Max_Binary_Record_Size bytes); returns
/// the bytes written, 0 for a record without values (skipped).
std::size_t putBinaryRecord(const GeoData& g, char* to);

}  // namespace qzCore

#endif  // QZCORE_SRC_FILES_BINARYRECORD_H
