// The binary dataset file: a version tag, the attribute and station
// tables, then the records (BinaryInput.h reads every version from
// Quarzel_2.0 to Vimbrel_1.1; BinaryRecord.h writes Vimbrel_1.1).
// Numbers are little-endian.
#include <algorithm>
#include <cstring>
#include <istream>
#include <list>
#include <memory>
#include <ostream>
#include <string>
#include <thread>

#include "files/BinaryRecord.h"
#include "files/ChunkRing.h"
#include "files/formats/FormatUnit.h"
#include "qzCore/attributes/AttrList.h"
#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/BinaryInput.h"
#include "qzCore/files/Emitter.h"
#include "qzCore/files/FileHeader.h"
#include "qzCore/files/qzFileParser.h"
#include "qzCore/shared/Threads.h"

namespace qzCore {

void qzFileParser::parseBinaryHeader(std::istream& in, FileHeader& header, AttrList& attributes,
                                     StationList& stations, unsigned int& count) {
    m_reader.reset();
    unsigned char b[4];
    in.read(reinterpret_cast<char*>(b), 4);
    if (in.gcount() != 4) throw Error::File_Read_Error;
    const std::uint32_t length =
        std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[3]) << 24);
    if (length > Max_Tag_Length) throw Error::Unknown_File_Format;
    std::string tag(length, '\0');
    if (length > 0) {
        in.read(&tag[0], static_cast<std::streamsize>(length));
        if (static_cast<std::uint32_t>(in.gcount()) != length) throw Error::File_Read_Error;
    }
    header.setTag(tag);
    std::unique_ptr<BinaryInput> reader;
    switch (header.getBinaryFileVersion()) {
        case FileHeader::Torsel_1_1: throw Error::Early_Beta_File;
        case FileHeader::Quarzel_2_0: reader = std::make_unique<BinaryInput_v2>(in); break;
        case FileHeader::Quarzel_3_0: reader = std::make_unique<BinaryInput_v3>(in); break;
        case FileHeader::Quarzel_3_1: reader = std::make_unique<BinaryInput_v3_1>(in); break;
        case FileHeader::Vimbrel_1_0: reader = std::make_unique<BinaryInput_v3_2>(in); break;
        case FileHeader::Vimbrel_1_1: reader = std::make_unique<BinaryInput_v3_3>(in); break;
        default: throw Error::Unknown_File_Format;
    }
    reader->readContentFlags(count);
    reader->readAttributes(attributes);
    reader->readStations(stations);
    m_reader = std::move(reader);
}

// The reader holds the stream it was made on (and reads ahead of this call).
int qzFileParser::readBinary(std::istream&, TokenStruct& tokens, DataStruct& data) {
    if (!m_reader) return Error::Input_File_Error;
    return m_reader->readRecord(tokens, data);
}

namespace detail {

namespace {

void putU32(std::ostream& out, std::uint32_t v) {
    const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    out.write(b, 4);
}

void putText(std::ostream& out, const std::string& s) {
    putU32(out, static_cast<std::uint32_t>(s.size()));
    out.write(s.data(), static_cast<std::streamsize>(s.size()));
}

int writeBinary(const Emitter& e, std::ostream& out) {
    const AttrList& attrs = e.data().getAttrList();
    // Header: everything must fit the file's fields, or nothing is written.
    std::list<std::string> groups;
    attrs.getAttrStrings(groups, true);
    for (const std::string& g : groups) {
        if (g.size() > AttrList::Max_Label_Length) return Error::File_Write_Error;
    }
    const StationList& stations = e.data().getStationList();
    for (const std::string& id : stations.ids()) {
        if (id.size() > Emitter::Max_Binary_Station_Length) return Error::File_Write_Error;
    }

    putText(out, FileHeader::Current_Tag);
    putU32(out, e.data().getNumSpecial() > 0 ? 0x1000000u : 0u);
    putU32(out, static_cast<std::uint32_t>(groups.size() - 1));
    for (const std::string& g : groups) {
        if (g == AttrList::All_Group_Name) continue;
        putU32(out, attrs.getAttrGroupIndexMask(g));
        putText(out, g);
    }
    putU32(out, attrs.getAttrCount());
    for (unsigned int i = 0; i < AttrList::Max_Num_Attributes; ++i) {
        const std::string label = attrs.getAttrLabel(i);
        if (label.empty()) continue;
        putU32(out, i);
        putText(out, label);
    }
    putU32(out, 0);
    putU32(out, static_cast<std::uint32_t>(stations.getNumStations()));
    for (const std::string& id : stations.ids()) {
        char padded[16] = {};
        std::memcpy(padded, id.data(), id.size());
        out.write(padded, 16);
    }
    if (!out.good()) return Error::File_Write_Error;

    // Records are put together in chunks and written a chunk at a time, in
    // order.  Past the first chunk a helper thread puts two chunks of every
    // three together, ahead, while this thread does the third and writes
    // them all (writing being its share of the work).
    const std::size_t count = e.records().size();
    const std::size_t chunks = (count + Binary_Chunk_Records - 1) / Binary_Chunk_Records;
    auto put = [&e, count](std::size_t chunk, ChunkBuffer& into) {
        if (!into.room) into.room.reset(new char[Binary_Chunk_Records * Max_Binary_Record_Size]);
        char* p = into.room.get();
        const std::size_t end = std::min(count, (chunk + 1) * Binary_Chunk_Records);
        for (std::size_t i = chunk * Binary_Chunk_Records; i < end; ++i) {
            if (const GeoData* g = e.records()[i]) p += putBinaryRecord(*g, p);
        }
        into.size = std::size_t(p - into.room.get());
    };
    auto write = [&out](const ChunkBuffer& b) {
        out.write(b.room.get(), static_cast<std::streamsize>(b.size));
    };
    ChunkBuffer own;
#ifndef QZCORE_NO_THREADS
    if (chunks <= 1 || !threadsEnabled())
#endif
    {
        // One chunk, or no helper: every chunk here, in order.
        for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
            put(chunk, own);
            write(own);
        }
        return out.good() ? 1 : Error::File_Write_Error;
    }
#ifndef QZCORE_NO_THREADS
    ChunkRing ring;
    std::thread helper([&] { ring.run(chunks, put); });
    struct Join {
        ChunkRing& ring;
        std::thread& helper;
        ~Join() {
            ring.stop();
            helper.join();
        }
    } join{ring, helper};
    for (std::size_t chunk = 0; chunk < chunks; ++chunk) {
        if (ChunkRing::mine(chunk)) {
            put(chunk, own);
            write(own);
        } else {
            const ChunkBuffer& b = ring.take(chunk);
            write(b);
            ring.giveBack(chunk);
        }
    }
    return out.good() ? 1 : Error::File_Write_Error;
#endif
}

}  // namespace

const FormatUnit& binaryFormat() {
    static const FormatUnit unit = [] {
        FormatUnit u;
        u.info = {FileFormat::Binary, "binary", "the binary dataset file (Quarzel_2.0 to Vimbrel_1.1 read, Vimbrel_1.1 written)",
                  {"gdf", "oaf"}, true, true};
        u.displayName = "binary dataset";
        u.optionBit = qzIEColumnOptions::IE_Binary_File;
        // The file opens with the length of its version tag, then the tag.
        u.recognise = [](const std::string& content, const std::string&) {
            if (content.size() < 8) return false;
            for (const char* tag : {"Quarzel_", "Vimbrel_", "Torsel_"}) {
                if (content.compare(4, std::strlen(tag), tag) == 0) return true;
            }
            return false;
        };
        u.readOptions = [](qzIEColumnOptions& o) {
            o.setIEOption(qzIEColumnOptions::IE_Binary_File);
            o.setDefaultBinaryColumnChoices();
        };
        u.write = writeBinary;
        return u;
    }();
    return unit;
}

}  // namespace detail
}  // namespace qzCore
