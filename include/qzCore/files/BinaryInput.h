// Readers of the binary dataset file, one class per file version.
//
// All numbers are little-endian on every host.  Header layout:
//   uint32 tag length (<= 128), tag bytes;
//   uint32 content flags (0x1000000: the dataset holds result records);
//   uint32 group count (groups other than "All"), then per group
//     uint32 mask, uint32 name length, name bytes;
//   uint32 attribute count, then per label uint32 slot, uint32 length,
//     bytes; uint32 0;
//   uint32 station count, then 16 bytes per id, NUL-padded.
// Records follow to the end of the file (see the record readers).
#ifndef QZCORE_FILES_BINARYINPUT_H
#define QZCORE_FILES_BINARYINPUT_H

#include "qzCore/Export.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace qzCore {

class AttrList;
class DataStruct;
class StationList;
class TokenStruct;

/// Common base of the input classes: the stream.
class QZCORE_EXPORT InputBase {
public:
    explicit InputBase(std::istream& in) : m_in(in) {}
    virtual ~InputBase() = default;
    InputBase(const InputBase&) = delete;
    InputBase& operator=(const InputBase&) = delete;

protected:
    std::istream& m_in;
};

/// A reader of one version.  Header readers throw -9 on any failure;
/// record readers return 1, -13 at a clean end of file, -14 for a record cut
/// short or damaged, -6 for a whole record whose values are out of range.
class QZCORE_EXPORT BinaryInput : public InputBase {
public:
    using InputBase::InputBase;
    virtual void readAttributes(AttrList& attributes) = 0;
    virtual int readRecord(TokenStruct& tokens, DataStruct& data) = 0;
    virtual void readContentFlags(unsigned int& flags) = 0;
    virtual void readStations(StationList& stations) = 0;

    /// Longest group name or label the header may hold.
    static constexpr std::uint32_t Max_Label_Length = 31;
    /// Bytes per station id.
    static constexpr std::size_t Station_Id_Size = 16;
};

/// "Quarzel_2.0": comment length in bits 3..15, tokens followed by 8
/// reserved bytes, a second copy of the flags, X, Y, Z as int32 (-1: none)
/// and 8 reserved bytes; no measured depth.
class QZCORE_EXPORT BinaryInput_v2 : public BinaryInput {
public:
    using BinaryInput::BinaryInput;
    void readAttributes(AttrList& attributes) override;
    int readRecord(TokenStruct& tokens, DataStruct& data) override;
    void readContentFlags(unsigned int& flags) override;
    void readStations(StationList& stations) override;

protected:
    /// What differs between versions in a record.
    struct Layout {
        int commentShift;           ///< bits of the flags below the comment length
        std::uint32_t maxComment;   ///< longest comment the version holds
        bool reservedAfterTokens;   ///< 8 bytes after the tokens
        bool secondFlags;           ///< the values part starts with the flags again
        int locationKind;           ///< 0 int32 (-1 none), 1 double (-1.0 none), 2 double (no-value marker)
        bool reservedAfterLocation; ///< 8 bytes after the location
        bool measuredDepth;         ///< a measured depth ends the record
    };
    int readRecordWith(TokenStruct& tokens, DataStruct& data, const Layout& layout);
    /// Takes n bytes of the records from a buffer filled in large reads;
    /// false when the file ends first.
    bool take(void* to, std::size_t n);
    /// True when no byte of the file is left.
    bool atEnd();

    std::array<char, 512> m_comment{};
    // Bytes read ahead: m_buffer[m_pos, m_end) are still to be taken.
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
};

/// "Quarzel_3.0": as 2.0 without the reserved bytes; X, Y, Z as doubles
/// (-1.0: none).
class QZCORE_EXPORT BinaryInput_v3 : public BinaryInput_v2 {
public:
    using BinaryInput_v2::BinaryInput_v2;
    int readRecord(TokenStruct& tokens, DataStruct& data) override;
};

/// "Quarzel_3.1": comment length in bits 7..15 (below 128), no second flags,
/// X, Y, Z with the no-value marker; no measured depth.
class QZCORE_EXPORT BinaryInput_v3_1 : public BinaryInput_v3 {
public:
    using BinaryInput_v3::BinaryInput_v3;
    int readRecord(TokenStruct& tokens, DataStruct& data) override;
};

/// "Vimbrel_1.0": as "Quarzel_3.1".
class QZCORE_EXPORT BinaryInput_v3_2 : public BinaryInput_v3_1 {
public:
    using BinaryInput_v3_1::BinaryInput_v3_1;
};

/// "Vimbrel_1.1", the newest: as 1.0 with a measured depth; comments of up
/// to 255 characters, all that the flag word can describe.
class QZCORE_EXPORT BinaryInput_v3_3 : public BinaryInput_v3_2 {
public:
    using BinaryInput_v3_2::BinaryInput_v3_2;
    int readRecord(TokenStruct& tokens, DataStruct& data) override;
};

}  // namespace qzCore

#endif  // QZCORE_FILES_BINARYINPUT_H
