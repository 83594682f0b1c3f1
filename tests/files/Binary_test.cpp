// The binary dataset file: files of every version built byte by byte from
// the layout tables, round trips, and hostile files.
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Values.h"

#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/Emitter.h"
#include "qzCore/records/GDTypes.h"
#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace {

using O = qzIEColumnOptions;
using K = GDTypes;

/// Builds a file byte by byte, little-endian.
class Bytes {
public:
    Bytes& u16(std::uint16_t v) { return raw({char(v & 0xFF), char(v >> 8)}); }
    Bytes& u32(std::uint32_t v) {
        return raw({char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)});
    }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& f64(double v) {
        std::uint64_t u = 0;
        std::memcpy(&u, &v, 8);
        for (int i = 0; i < 8; ++i) s += char((u >> (8 * i)) & 0xFF);
        return *this;
    }
    Bytes& text(const std::string& t) {
        u32(static_cast<std::uint32_t>(t.size()));
        s += t;
        return *this;
    }
    Bytes& bytes(const std::string& t) {
        s += t;
        return *this;
    }
    Bytes& padded(const std::string& t, std::size_t n) {
        std::string p = t;
        p.resize(n, '\0');
        s += p;
        return *this;
    }
    Bytes& raw(std::initializer_list<char> b) {
        s.append(b.begin(), b.end());
        return *this;
    }
    /// A header: tag, no content flags, one group "Mine" (mask 0x2), labels
    /// "A" in slot 0 and "B" in slot 1, stations "W-1", "W-2".
    Bytes& header(const std::string& tag) {
        text(tag).u32(0).u32(1).u32(0x2).text("Mine").u32(2).u32(0).text("A").u32(1).text("B").u32(0);
        return u32(2).padded("W-1", 16).padded("W-2", 16);
    }
    /// The five tokens type, strike, dip, rake, trend, plunge, slip, confidence.
    Bytes& tokens(const char* type, const char* strike, const char* dip, const char* trend, const char* plunge,
                  const char* slip) {
        for (const char* t : {type, strike, dip, "", trend, plunge, slip, ""}) padded(t, 5);
        return *this;
    }
    /// attributes .. record type of every version.
    Bytes& values(std::uint32_t attrs, std::int16_t station, int strike, int dip, int rake, int trend, int plunge,
                  std::int16_t slip, std::uint32_t conf, std::uint32_t type) {
        u32(attrs).u16(static_cast<std::uint16_t>(station));
        for (const int v : {strike, dip, rake, trend, plunge}) i32(v);
        return u16(static_cast<std::uint16_t>(slip)).u32(conf).u32(type);
    }
    std::string s;
};

/// Record `b` of `to`, read back, is record `a` of `from` as written: its
/// values (location included), texts and station.
::testing::AssertionResult sameRecord(const Data& from, const GeoData& a, const Data& to, const GeoData& b) {
    DataStruct da, db;
    TokenStruct ta, tb;
    a.get(da);
    b.get(db);
    a.get(ta);
    b.get(tb);
    if (!(da == db) || da.getX() != db.getX() || da.getY() != db.getY()) {
        return ::testing::AssertionFailure() << "values differ";
    }
    if (!(ta == tb)) return ::testing::AssertionFailure() << "texts differ";
    std::string sa, sb;
    from.getStationIdFromIndex(da.getStationIndex(), sa);
    to.getStationIdFromIndex(db.getStationIndex(), sb);
    if (sa != sb) return ::testing::AssertionFailure() << "station " << sa << " read as " << sb;
    return ::testing::AssertionSuccess();
}

class BinaryFile : public ::testing::Test {
protected:
    /// Reads a binary file into `data`; the thrown code, or the loop's result.
    int read(const std::string& file, Data& into) {
        O o;
        o.setIEOption(O::IE_Binary_File);
        o.setIEOption(O::IE_Report_Errors);
        std::istringstream in(file);
        try {
            return into.addData(o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in);
        } catch (int code) {
            return code;
        }
    }
    std::string write(const Data& from) {
        O o;
        o.setIEOption(O::IE_Binary_File);
        std::ostringstream out;
        Emitter e(from, from.getDataList(), qzIEDataTypeOrder(qzIEDataTypeOptions(), o), o, qzIEDataTypeOptions(), true);
        EXPECT_EQ(e.emit(out), 1);
        return out.str();
    }

    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    Data data{ComplexFileName("bin"), &errors, 4};
};

TEST_F(BinaryFile, NewestVersionByteForByte) {
    Bytes b;
    b.header("Vimbrel_1.1");
    // A fault with comment "hi" (flags: has comment, has station, length 2).
    b.u16(static_cast<std::uint16_t>((2 << 7) | 1 | 4)).bytes("hi").tokens("f", "10", "60", "100", "60", "Norm");
    b.values(0x3, 1, 10, 60, -1, 100, 60, 16, 3, K::GDType_Fault).f64(512345.5).f64(No_Value_Double).f64(-20).f64(1523.5);
    ASSERT_EQ(read(b.s, data), 1);
    ASSERT_EQ(data.getNumFaults(), 1);
    const GeoData& f = *data.getSpecificData(0);
    EXPECT_STREQ(f.tokens()->getComment(), "hi");
    EXPECT_EQ(f.data()->getStrike(), 10);
    EXPECT_EQ(f.data()->getTrend(), 100);
    EXPECT_EQ(f.data()->getSlip(), GDSlipTypes::GDSlipType_NormalSlip);
    EXPECT_EQ(f.data()->getConf(), 3);
    EXPECT_EQ(f.data()->getX(), 512345.5);
    EXPECT_FALSE(f.data()->hasY());
    EXPECT_EQ(f.data()->md(), 1523.5);
    std::string id;
    data.getStationIdFromIndex(f.data()->getStationIndex(), id);
    EXPECT_EQ(id, "W-2");
    EXPECT_TRUE(data.hasAttribute(&f, "A"));
    EXPECT_TRUE(data.hasAttribute(&f, "B"));
    EXPECT_EQ(data.getAttributeGroupIndexMask("Mine"), 0x2u);
}

TEST_F(BinaryFile, Versions31And10HaveNoMeasuredDepth) {
    for (const char* tag : {"Quarzel_3.1", "Vimbrel_1.0"}) {
        Data d(ComplexFileName("v"), &errors, 5);
        Bytes b;
        b.header(tag);
        b.u16(0).tokens("l", "", "", "45", "20", "").values(0, -1, -1, -1, -1, 45, 20, 0, 0, K::GDType_Line);
        b.f64(No_Value_Double).f64(No_Value_Double).f64(No_Value_Double);
        ASSERT_EQ(read(b.s, d), 1) << tag;
        ASSERT_EQ(d.getNumLines(), 1) << tag;
        EXPECT_FALSE(d.getSpecificData(0)->data()->hasMD());
        EXPECT_EQ(d.getSpecificData(0)->data()->getTrend(), 45);
    }
}

TEST_F(BinaryFile, Version30KeepsItsCommentLengthInBits3To15) {
    Bytes b;
    b.header("Quarzel_3.0");
    b.u16(static_cast<std::uint16_t>((3 << 3) | 1)).bytes("abc").tokens("p", "30", "40", "", "", "");
    b.u16(1).values(0, -1, 30, 40, -1, -1, -1, 0, 0, K::GDType_Plane).f64(-1.0).f64(100.0).f64(-1.0);
    ASSERT_EQ(read(b.s, data), 1);
    ASSERT_EQ(data.getNumPlanes(), 1);
    const GeoData& p = *data.getSpecificData(0);
    EXPECT_STREQ(p.tokens()->getComment(), "abc");
    EXPECT_EQ(p.data()->getCommentSize(), 3u);
    EXPECT_FALSE(p.data()->hasX());
    EXPECT_EQ(p.data()->getY(), 100.0);
}

TEST_F(BinaryFile, OldVersionsHaveNoSlipFlagsInTheirCommentLength) {
    // A comment of 15 characters sets bits 3 to 6 of the old flag word
    // (15 << 3): there they are length, not the clockwise, counter-
    // clockwise, in-strike and has-slip flags of later versions.
    for (const char* tag : {"Quarzel_3.0", "Quarzel_2.0"}) {
        Data d(ComplexFileName("v"), &errors, 6);
        const bool v2 = std::string(tag) == "Quarzel_2.0";
        Bytes b;
        b.header(tag);
        const auto flags = static_cast<std::uint16_t>((15 << 3) | 1);
        b.u16(flags).bytes("fifteen letters").tokens("p", "30", "40", "", "", "");
        if (v2) b.padded("", 8);
        b.u16(flags).values(0, -1, 30, 40, -1, -1, -1, 0, 0, K::GDType_Plane);
        if (v2) {
            b.i32(-1).i32(-1).i32(-1).padded("", 8);
        } else {
            b.f64(-1.0).f64(-1.0).f64(-1.0);
        }
        // A fault of the same version: its slip code says it has a slip.
        b.u16(0).tokens("f", "0", "60", "90", "60", "Norm");
        if (v2) b.padded("", 8);
        b.u16(0).values(0, -1, 0, 60, -1, 90, 60, 16, 0, K::GDType_Fault);
        if (v2) {
            b.i32(-1).i32(-1).i32(-1).padded("", 8);
        } else {
            b.f64(-1.0).f64(-1.0).f64(-1.0);
        }
        ASSERT_EQ(read(b.s, d), 1) << tag;
        ASSERT_EQ(d.getNumData(), 2) << tag;
        const LightweightDataStruct& plane = *d.getSpecificData(0)->data();
        EXPECT_STREQ(d.getSpecificData(0)->tokens()->getComment(), "fifteen letters");
        EXPECT_FALSE(plane.hasSlipFlag()) << tag;
        EXPECT_FALSE(plane.hasCWSlip()) << tag;
        EXPECT_FALSE(plane.hasCCWSlip()) << tag;
        EXPECT_FALSE(plane.hasSlipInStrikeDirection()) << tag;
        const LightweightDataStruct& fault = *d.getSpecificData(1)->data();
        EXPECT_TRUE(fault.hasSlip()) << tag;
        EXPECT_TRUE(fault.hasCCWSlip()) << tag;  // normal, straight down dip
    }
}

TEST_F(BinaryFile, Version20HasIntegerLocationsAndReservedBytes) {
    Bytes b;
    b.header("Quarzel_2.0");
    b.u16(0).tokens("p", "30", "40", "", "", "").padded("", 8);
    b.u16(0).values(0, -1, 30, 40, -1, -1, -1, 0, 0, K::GDType_Plane).i32(-1).i32(250).i32(-1).padded("", 8);
    b.u16(0).tokens("l", "", "", "90", "10", "").padded("", 8);
    b.u16(0).values(0, 0, -1, -1, -1, 90, 10, 0, 0, K::GDType_Line).i32(-1).i32(-1).i32(-1).padded("", 8);
    ASSERT_EQ(read(b.s, data), 1);
    ASSERT_EQ(data.getNumData(), 2);
    EXPECT_FALSE(data.getSpecificData(0)->data()->hasX());
    EXPECT_EQ(data.getSpecificData(0)->data()->getY(), 250.0);
    EXPECT_FALSE(data.getSpecificData(1)->data()->hasLoc());
    EXPECT_TRUE(data.getSpecificData(1)->data()->hasStationIdAttached());
}

TEST_F(BinaryFile, RejectedTags) {
    EXPECT_EQ(read(Bytes().header("Torsel_1.1").s, data), Error::Early_Beta_File);
    EXPECT_EQ(read(Bytes().header("Vimbrel_9.9").s, data), Error::Unknown_File_Format);
    EXPECT_EQ(read(Bytes().header("").s, data), Error::Unknown_File_Format);
    EXPECT_EQ(read(Bytes().u32(200).padded("Vimbrel_1.1", 200).s, data), Error::Unknown_File_Format);
    EXPECT_EQ(read(Bytes().u32(0xFFFFFFFFu).s, data), Error::Unknown_File_Format);
    EXPECT_EQ(data.getNumData(), 0);
}

TEST_F(BinaryFile, HostileHeaders) {
    const std::string tag = "Vimbrel_1.1";
    // Counts far beyond what a file can hold, labels too long, garbage.
    EXPECT_EQ(read(Bytes().text(tag).u32(0).u32(0x7FFFFFFF).s, data), Error::File_Read_Error);
    EXPECT_EQ(read(Bytes().text(tag).u32(0).u32(0).u32(0x7FFFFFFF).s, data), Error::File_Read_Error);
    EXPECT_EQ(read(Bytes().text(tag).u32(0).u32(0).u32(1).u32(0).text(std::string(32, 'x')).u32(0).s, data), Error::File_Read_Error);
    EXPECT_EQ(read(Bytes().text(tag).u32(0).u32(1).u32(1).u32(0xFFFFFFF0u).s, data), Error::File_Read_Error);
    EXPECT_EQ(read(Bytes().text(tag).u32(0).u32(0).u32(1).u32(40).text("A").u32(0).u32(0).s, data), Error::File_Read_Error);
    EXPECT_EQ(read(Bytes().text(tag).u32(0).u32(0).u32(0).u32(7).u32(0).s, data), Error::File_Read_Error);  // closing word not 0
    EXPECT_EQ(read(Bytes().text(tag).u32(0).u32(0).u32(0).u32(0).u32(5000).s, data), Error::File_Read_Error);
    EXPECT_EQ(read(Bytes().text(tag).u32(0).u32(0).u32(0).u32(0).u32(2).padded("W", 16).s, data), Error::File_Read_Error);
    // Cut anywhere in the header.
    const std::string whole = Bytes().header(tag).s;
    for (std::size_t n = 0; n < whole.size(); ++n) {
        Data d(ComplexFileName("cut"), &errors, 6);
        const int r = read(whole.substr(0, n), d);
        EXPECT_TRUE(r == -9 || r == -31) << n << ": " << r;
    }
}

TEST_F(BinaryFile, RecordsCutShortEndTheImportWithTheRecordsReadSoFar) {
    Bytes b;
    b.header("Vimbrel_1.1");
    const std::string head = b.s;
    b.u16(0).tokens("l", "", "", "45", "20", "").values(0, -1, -1, -1, -1, 45, 20, 0, 0, K::GDType_Line);
    b.f64(No_Value_Double).f64(No_Value_Double).f64(No_Value_Double).f64(No_Value_Double);
    const std::string one = b.s.substr(head.size());
    const std::string file = head + one + one;
    for (std::size_t cut = head.size() + one.size() + 1; cut < file.size(); ++cut) {
        Data d(ComplexFileName("cut"), &errors, 6);
        EXPECT_EQ(read(file.substr(0, cut), d), Error::Input_File_Error) << cut;
        EXPECT_EQ(d.getNumData(), 1) << cut;
    }
    Data whole(ComplexFileName("whole"), &errors, 6);
    EXPECT_EQ(read(file, whole), 1);
    EXPECT_EQ(whole.getNumData(), 2);
}

TEST_F(BinaryFile, BadValuesInAWellFormedRecordAreReportedAndSkipped) {
    Bytes b;
    b.header("Vimbrel_1.1");
    auto line = [&b](int trend, std::int16_t station) {
        b.u16(0).tokens("l", "", "", "1", "2", "").values(0, station, -1, -1, -1, trend, 20, 0, 0, K::GDType_Line);
        b.f64(No_Value_Double).f64(No_Value_Double).f64(No_Value_Double).f64(No_Value_Double);
    };
    line(45, -1);
    line(4000, -1);  // trend out of range
    line(46, 9);     // a station the file does not list
    line(47, 1);
    ASSERT_EQ(read(b.s, data), 1);
    EXPECT_EQ(data.getNumData(), 2);
    EXPECT_EQ(errors.getNumErrors(), 2u);
}

TEST_F(BinaryFile, CommentLengthsTheVersionsCannotHoldFailTheRecord) {
    Bytes b;
    b.header("Vimbrel_1.0");
    b.u16(static_cast<std::uint16_t>((200 << 7) | 1)).bytes(std::string(200, 'c'));
    EXPECT_EQ(read(b.s, data), Error::Input_File_Error);
    Bytes n;
    n.header("Vimbrel_1.1");
    n.u16(static_cast<std::uint16_t>((300u << 7) | 1));
    EXPECT_EQ(read(n.s, data), Error::Input_File_Error);
}

TEST_F(BinaryFile, RoundTripKeepsEveryField) {
    Data src(ComplexFileName("src"), &errors, 9);
    src.createAttribute("Granite");
    src.createAttribute("Basalt");
    src.createAttributeGroup("Igneous", 0x3);
    DataStruct f = faultValues(20, 60, 104, 60, GDSlipTypes::GDSlipType_NormalSlip);
    f.setRake(85);
    f.setConfidence(Confidence_Good);
    f.setX(512345.67);
    f.setY(4000000.125);
    f.setMD(1523.5);
    f.setAttributes(0x2);
    src.initStationId("BH-07", f);
    TokenStruct ft;
    ft.setTokenValue(TokenStruct::Strike_Token, "N20E");
    ft.setTokenValue(TokenStruct::Dip_Token, "60SE");
    ft.setTokenValue(TokenStruct::Rake_Token, "85N");
    ft.setTokenValue(TokenStruct::Slip_Token, "Norm");
    ft.setComment(std::string(200, 'x'));  // beyond 127: written and read back whole
    ASSERT_EQ(src.insertData(f, ft), 1);
    src.addData(std::list<SpecialData>{SpecialData(130, 25, K::GDType_Fisher, "mean")});
    DataStruct l = lineValues(42, 12);
    src.insertData(l, TokenStruct());

    ASSERT_EQ(read(write(src), data), 1);
    ASSERT_EQ(data.getNumData(), src.getNumData());
    for (int i = 0; i < src.getNumData(); ++i) {
        EXPECT_TRUE(sameRecord(src, *src.getSpecificData(unsigned(i)), data, *data.getSpecificData(unsigned(i)))) << i;
    }
    EXPECT_EQ(data.getAttrList().getAttrLabel(1), "Basalt");
    EXPECT_EQ(data.getAttributeGroupIndexMask("Igneous"), 0x3u);
    EXPECT_EQ(data.getStationList().ids(), src.getStationList().ids());
}

TEST_F(BinaryFile, LongCommentsAreCutToWhatTheFlagsCanSay) {
    Data src(ComplexFileName("src"), &errors, 9);
    DataStruct l = lineValues(42, 12);
    src.insertData(l, TokenStruct());
    src.getSpecificData(0)->setComment(std::string(300, 'y').c_str());
    ASSERT_EQ(read(write(src), data), 1);
    EXPECT_EQ(std::string(data.getSpecificData(0)->tokens()->getComment()), std::string(255, 'y'));
}

TEST_F(BinaryFile, ReadingIntoADatasetWithDataKeepsLinksRight) {
    Data src(ComplexFileName("src"), &errors, 9);
    src.createAttribute("A");
    DataStruct l = lineValues(42, 12);
    l.setAttributes(0x1);
    src.initStationId("S-1", l);
    src.insertData(l, TokenStruct());
    const std::string file = write(src);

    data.createAttribute("Other");
    data.initStationId("Other station", true);
    ASSERT_EQ(read(file, data), 1);
    const GeoData& g = *data.getSpecificData(0);
    EXPECT_TRUE(data.hasAttribute(&g, "A"));
    EXPECT_FALSE(data.hasAttribute(&g, "Other"));
    std::string id;
    data.getStationIdFromIndex(g.data()->getStationIndex(), id);
    EXPECT_EQ(id, "S-1");
}

TEST_F(BinaryFile, OverlongStationIdsAreNotWrittenCut) {
    Data src(ComplexFileName("src"), &errors, 9);
    src.initStationId("A-very-long-borehole-name", true);
    O o;
    o.setIEOption(O::IE_Binary_File);
    std::ostringstream out;
    Emitter e(src, src.getDataList(), qzIEDataTypeOrder(qzIEDataTypeOptions(), o), o, qzIEDataTypeOptions(), true);
    EXPECT_EQ(e.emit(out), Error::File_Write_Error);
    EXPECT_TRUE(out.str().empty());
}

TEST_F(BinaryFile, ManyRecordsReadBackWholeInOrderWithRejectsWhereTheyStand) {
    // Far more records than are read before the second thread joins in:
    // every record back in its place, with its station and attributes, and
    // the records with a value out of range reported by their number.
    Data src(ComplexFileName("src"), &errors, 9);
    src.createAttribute("Granite");
    src.createAttribute("Basalt");
    std::vector<unsigned int> bad;
    for (int i = 0; i < 25000; ++i) {
        const int a = (i * 7) % 360, b = (i % 997 == 500) ? 95 : (i * 13) % 91;  // 95: out of range
        DataStruct d = i % 2 ? planeValues(a, b) : lineValues(a, b);
        d.setAttributes(std::uint32_t(i % 3));
        if (i % 5) src.initStationId(("BH-" + std::to_string(i % 5)).c_str(), d);
        TokenStruct t;
        if (i % 4 == 0) t.setComment("row " + std::to_string(i));
        ASSERT_EQ(src.insertData(d, t), 1);
        if (b == 95) bad.push_back(unsigned(i + 1));
    }
    ASSERT_EQ(read(write(src), data), 1);
    ASSERT_EQ(data.getNumData(), src.getNumData() - int(bad.size()));
    std::vector<unsigned int> reported;
    for (const RejectedLine& r : errors.getRejectedLines()) reported.push_back(r.line);
    EXPECT_EQ(reported, bad);
    int j = 0;
    for (int i = 0; i < src.getNumData(); ++i) {
        const GeoData& a = *src.getSpecificData(unsigned(i));
        if (a.data()->getDip() == 95 || a.data()->getPlunge() == 95) continue;
        ASSERT_TRUE(sameRecord(src, a, data, *data.getSpecificData(unsigned(j++)))) << i;
    }
}


TEST_F(BinaryFile, ALargeDatasetIsWrittenAsItsRecordsOneByOne) {
    // Written in chunks, part of them on a second thread: the file must be
    // the header and then each record exactly as it is written alone, in
    // order, none lost or doubled at a chunk's edge.
    Data big(ComplexFileName("big"), &errors, 9);
    const int n = 10 * 8192 + 17;  // past the helper's ring of buffers more than once
    std::string records;
    std::string header;
    for (int i = 0; i < n; ++i) {
        DataStruct d = i % 2 ? planeValues(i % 360, i % 91) : lineValues(i % 360, i % 91);
        TokenStruct t;
        if (i % 3 == 0) t.setComment("no " + std::to_string(i));
        ASSERT_EQ(big.insertData(d, t), 1);
        Data one(ComplexFileName("one"), &errors, 10);
        ASSERT_EQ(one.insertData(d, t), 1);
        const std::string alone = write(one);
        if (i == 0) {
            Data none(ComplexFileName("none"), &errors, 11);
            header = write(none);
        }
        ASSERT_EQ(alone.compare(0, header.size(), header), 0);
        records += alone.substr(header.size());
    }
    const std::string file = write(big);
    EXPECT_EQ(file.size(), header.size() + records.size());
    EXPECT_TRUE(file == header + records);
}

}  // namespace
}  // namespace qzCore
