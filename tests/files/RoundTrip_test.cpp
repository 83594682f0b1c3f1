// Every writer and back through the matching reader: seeded random
// datasets of every kind, and every field the format holds must come back
// equal (README, "What each format holds").
#include <cstdio>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qzCore/analysis/Analyzer.h"
#include "qzCore/datasets/DataManager.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/Emitter.h"
#include "qzCore/files/FileLayout.h"
#include "qzCore/files/FileManager.h"
#include "qzCore/parsing/qzParser.h"
#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace {

using K = GDTypes;
using S = GDSlipTypes;
using T = qzIEDataTypeOptions;
using O = qzIEColumnOptions;

/// Draws the records of a dataset.
class Generator {
public:
    explicit Generator(unsigned seed) : m_rng(seed) {}

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_rng); }

    /// 0 to 255 bytes of delimiters, quotes, blanks and UTF-8 (no line
    /// breaks or NULs, which no line-based format holds).
    std::string comment() {
        static const char* const pieces[] = {"a", "Z", "7", ",", ";", ":", "\t", " ", "\"", "\"\"", "#", ".",
                                             "\xC3\xA9", "\xC2\xB0", "\xE2\x80\x94", "fault", "N30E"};
        const std::size_t length = std::size_t(uniform(0, 255));
        std::string s;
        while (s.size() < length) {
            const std::string p = pieces[uniform(0, int(std::size(pieces)) - 1)];
            if (s.size() + p.size() > length) break;
            s += p;
        }
        return s;
    }

    /// Coordinates and depths of every magnitude, never the no-value marker.
    double magnitude() {
        static const double fixed[] = {0.0, -0.0, 1e-300, -1e300, 123456.789, 1.0 / 3.0, 4.9e-324, 1e16, -7.5};
        if (chance(0.4)) return fixed[uniform(0, int(std::size(fixed)) - 1)];
        const double mantissa = std::uniform_real_distribution<double>(-10.0, 10.0)(m_rng);
        return mantissa * std::pow(10.0, uniform(-12, 12));
    }

    std::mt19937& engine() { return m_rng; }

private:
    std::mt19937 m_rng;
};

class RoundTrip : public ::testing::Test {
protected:
    unsigned char create() {
        unsigned char id = 0;
        EXPECT_EQ(manager.createDataset(id, "", false, nullptr), 1);
        return id;
    }

    /// A dataset of `n` random records of every kind.
    unsigned char generate(unsigned seed, int n) {
        const unsigned char id = create();
        Data& d = *manager.getDatasetFromID(id);
        Generator g(seed);
        for (const char* label : {"Bedding", "Joint, set 2", "S\xC3\xA9rie \"A\""}) d.createAttribute(label);
        const std::vector<std::string> stations = {"BH-01", "W 7", "K,3", "Q\"x", "Station-15-char"};
        qzParser parser;
        for (int i = 0; i < n; ++i) {
            TokenStruct t;
            DataStruct v;
            auto number = [&t](TokenStruct::Token_Id id, int value) { t.setTokenValue(id, value); };
            const int kind = g.uniform(0, 7);
            switch (kind) {
                case 0:  // plane
                case 1:  // well dip
                case 2:  // marker
                    t.setTokenValue(TokenStruct::Type_Token, kind == 0 ? "p" : (kind == 1 ? "w" : "m"));
                    number(TokenStruct::Strike_Token, g.uniform(0, 360));
                    number(TokenStruct::Dip_Token, g.uniform(0, 90));
                    break;
                case 3:  // line
                    t.setTokenValue(TokenStruct::Type_Token, "l");
                    number(TokenStruct::Trend_Token, g.uniform(0, 360));
                    number(TokenStruct::Plunge_Token, g.uniform(0, 90));
                    break;
                case 4: {  // fault by its rake or by its slip line, every sense
                    t.setTokenValue(TokenStruct::Type_Token, "f");
                    const int strike = g.uniform(0, 359), dip = g.uniform(1, 90), rake = g.uniform(0, 180);
                    number(TokenStruct::Strike_Token, strike);
                    number(TokenStruct::Dip_Token, dip);
                    if (g.chance(0.5)) {
                        number(TokenStruct::Rake_Token, rake);
                    } else {
                        int tr = 0, pl = 0;
                        MyMath().computeTrendPlunge(strike, dip, rake, tr, pl);
                        number(TokenStruct::Trend_Token, tr);
                        number(TokenStruct::Plunge_Token, pl);
                    }
                    static const char* const senses[] = {"", "Ambig", "Rev", "RLat", "Norm", "LLat"};
                    const char* sense = senses[g.uniform(0, 5)];
                    if (*sense) t.setTokenValue(TokenStruct::Slip_Token, sense);
                    break;
                }
                case 5: {  // universal stage: two axes at right angles
                    t.setTokenValue(TokenStruct::Type_Token, "u");
                    const int t1 = g.uniform(0, 359), p1 = g.uniform(0, 60);
                    int t2 = 0, p2 = 0;
                    MyMath().computeTrendPlunge(t1 + 90, 90 - p1, 90, t2, p2);
                    number(TokenStruct::Strike_Token, t2);
                    number(TokenStruct::Dip_Token, p2);
                    number(TokenStruct::Trend_Token, t1);
                    number(TokenStruct::Plunge_Token, p1);
                    break;
                }
                default: {  // a result record
                    static const char kinds[] = {K::GDType_PAxis, K::GDType_TAxis, K::GDType_Eigen2, K::GDType_LSquares,
                                                 K::GDType_Fisher, K::GDType_LineIntersect, K::GDType_GenericSpecial,
                                                 K::GDType_Sig1, K::GDType_UStageAxis3};
                    v.setGDType(kinds[g.uniform(0, int(std::size(kinds)) - 1)]);
                    v.setTrend(g.uniform(0, 360));
                    v.setPlunge(g.uniform(0, 90));
                    number(TokenStruct::Trend_Token, v.getTrend());
                    number(TokenStruct::Plunge_Token, v.getPlunge());
                    break;
                }
            }
            if (kind <= 5) {
                EXPECT_EQ(parser.ParseSingle(t, v), 1) << "kind " << kind;
            }
            if (g.chance(0.6)) {
                const std::string c = g.comment();
                if (!c.empty()) t.setComment(c);  // an empty comment is none
            }
            if (g.chance(0.5)) d.initStationId(stations[std::size_t(g.uniform(0, int(stations.size()) - 1))].c_str(), v);
            if (g.chance(0.5)) v.setAttributes(std::uint32_t(g.uniform(1, 7)));
            if (kind == 4) v.setConfidence(static_cast<CONFIDENCE>(g.uniform(0, 4)));
            if (g.chance(0.5)) v.setX(g.magnitude());
            if (g.chance(0.5)) v.setY(g.magnitude());
            if (g.chance(0.5)) v.setZ(g.magnitude());
            if (g.chance(0.5)) v.setMD(g.magnitude());
            EXPECT_EQ(d.insertData(v, t), 1);
        }
        return id;
    }

    /// Writes dataset `id` with the writer `setup` chooses.
    std::string write(unsigned char id, const std::function<void(O&)>& setup) {
        O o;
        o.setDefaultColumnOptions();
        setup(o);
        const qzIEDataTypeOptions types;
        qzIEDataTypeOrder order(types, o);
        std::ostringstream out;
        EXPECT_EQ(manager.exportDataset(id, o, order, types, out), 1);
        return out.str();
    }

    /// Reads `content` as qz does: the layout guessed from the file, the
    /// library's defaults for the format.
    unsigned char read(const std::string& name, const std::string& content) {
        const unsigned char id = create();
        O o;
        o.setDefaultColumnOptions();
        o.setIEOption(O::IE_Report_Errors);
        o.setIEOption(O::IE_Read_Attributes);
        guessFileLayout(name, content, LayoutChoices()).applyTo(o);
        std::istringstream in(content);
        EXPECT_EQ(manager.addData(id, o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in), 1);
        EXPECT_FALSE(errors.errorsOccurred()) << errors.getErrorReportBuffer();
        return id;
    }

    const Data& data(unsigned char id) { return *manager.getDatasetFromID(id); }

    std::string station(unsigned char id, const GeoData* g) {
        std::string s;
        if (g->data()->hasStationIdAttached()) data(id).getStationIdFromIndex(g->data()->getStationIndex(), s);
        return s;
    }

    std::string comment(const GeoData* g) {
        return g->tokens() && g->tokens()->hasComment() ? g->tokens()->getComment() : std::string();
    }

    /// The values a text file holds of a record.
    void expectSameValues(unsigned char a, const GeoData* x, unsigned char b, const GeoData* y, const char* what) {
        const LightweightDataStruct& p = *x->data();
        const LightweightDataStruct& q = *y->data();
        SCOPED_TRACE(std::string(what) + " record " + std::to_string(x->getDataReference() & 0xFFFFFF));
        EXPECT_EQ(x->getGDType(), y->getGDType());
        EXPECT_EQ(p.getStrike(), q.getStrike());
        EXPECT_EQ(p.getDip(), q.getDip());
        EXPECT_EQ(p.getRake(), q.getRake());
        EXPECT_EQ(p.getTrend(), q.getTrend());
        EXPECT_EQ(p.getPlunge(), q.getPlunge());
        EXPECT_EQ(p.getSlip(), q.getSlip());
        EXPECT_EQ(p.getGDFlags() & 0x78, q.getGDFlags() & 0x78);  // slip flags
        EXPECT_EQ(station(a, x), station(b, y));
        EXPECT_EQ(comment(x), comment(y));
        EXPECT_EQ(p.getX(), q.getX());
        EXPECT_EQ(p.getY(), q.getY());
        EXPECT_EQ(p.getZ(), q.getZ());
        EXPECT_EQ(p.md(), q.md());
    }

    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    FileManager files;
    DataManager manager{&errors, &files};
};

constexpr unsigned kSeeds[] = {1, 7, 42, 2024, 99991};
constexpr int kRecords = 150;

void textLayout(O& o, unsigned int delimiter) { o.setValueTextExport(delimiter); }

TEST_F(RoundTrip, DelimitedTextKeepsEveryValueColumn) {
    for (const unsigned seed : kSeeds) {
        for (const unsigned int delimiter : {krtIEConstants::Tab_Delim, krtIEConstants::Comma_Delim}) {
            const unsigned char id = generate(seed, kRecords);
            const std::string text = write(id, [&](O& o) { textLayout(o, delimiter); });
            const unsigned char back = read(delimiter == krtIEConstants::Comma_Delim ? "out.csv" : "out.txt", text);
            ASSERT_EQ(data(back).getNumData(), data(id).getNumData()) << "seed " << seed;
            for (int i = 0; i < data(id).getNumData(); ++i) {
                expectSameValues(id, data(id).getSpecificData(unsigned(i)), back, data(back).getSpecificData(unsigned(i)),
                                 "text");
            }
            manager.deleteDataset(id);
            manager.deleteDataset(back);
        }
    }
}

TEST_F(RoundTrip, BinaryKeepsEverything) {
    for (const unsigned seed : kSeeds) {
        const unsigned char id = generate(seed, kRecords);
        const std::string bytes = write(id, [](O& o) { o.setIEOption(O::IE_Binary_File); });
        const unsigned char back = read("out.gdf", bytes);
        ASSERT_EQ(data(back).getNumData(), data(id).getNumData()) << "seed " << seed;
        for (int i = 0; i < data(id).getNumData(); ++i) {
            const GeoData* x = data(id).getSpecificData(unsigned(i));
            const GeoData* y = data(back).getSpecificData(unsigned(i));
            expectSameValues(id, x, back, y, "binary");
            DataStruct dx, dy;
            TokenStruct tx, ty;
            x->get(dx);
            y->get(dy);
            x->get(tx);
            y->get(ty);
            EXPECT_TRUE(dx == dy) << "values of record " << i;
            EXPECT_TRUE(tx == ty) << "tokens of record " << i;
            for (unsigned bit = 0; bit < 32; ++bit) {
                if (dx.getAttributes() & (1u << bit)) {
                    EXPECT_EQ(data(id).getAttrList().getAttrLabel(bit), data(back).getAttrList().getAttrLabel(bit));
                }
            }
        }
        manager.deleteDataset(id);
        manager.deleteDataset(back);
    }
}

TEST_F(RoundTrip, StereonetKeepsPlanesAndLines) {
    for (const unsigned seed : kSeeds) {
        const unsigned char id = generate(seed, kRecords);
        const std::string text = write(id, [](O& o) { o.setIEOption(O::IE_Stereonet_File); });
        const unsigned char back = read("out.net", text);
        std::vector<std::pair<int, int>> planes, lines;
        for (const GeoData* g : data(id).getDataList()) {
            if (Emitter::inStereonetPlanes(g)) planes.emplace_back(g->data()->getStrike(), g->data()->getDip());
        }
        for (const GeoData* g : data(id).getDataList()) {
            if (Emitter::inStereonetLines(g)) lines.emplace_back(g->data()->getTrend(), g->data()->getPlunge());
        }
        std::vector<std::pair<int, int>> planesBack, linesBack;
        for (const GeoData* g : data(back).getDataList()) {
            if (g->getGDType() == K::GDType_Plane) planesBack.emplace_back(g->data()->getStrike(), g->data()->getDip());
            if (g->getGDType() == K::GDType_Line) linesBack.emplace_back(g->data()->getTrend(), g->data()->getPlunge());
        }
        EXPECT_EQ(planesBack, planes) << "seed " << seed;
        EXPECT_EQ(linesBack, lines) << "seed " << seed;
        manager.deleteDataset(id);
        manager.deleteDataset(back);
    }
}

TEST_F(RoundTrip, FaultKinKeepsFaultsAndTheirMovement) {
    for (const unsigned seed : kSeeds) {
        const unsigned char id = generate(seed, kRecords);
        const std::string text = write(id, [](O& o) { o.setIEOption(O::IE_FaultKin_File); });
        const unsigned char back = read("out.fkn", text);
        std::vector<const GeoData*> faults;
        for (const GeoData* g : data(id).getDataList()) {
            if (Emitter::inFaultKin(g)) faults.push_back(g);
        }
        ASSERT_EQ(std::size_t(data(back).getNumData()), faults.size()) << "seed " << seed;
        for (std::size_t i = 0; i < faults.size(); ++i) {
            const LightweightDataStruct& p = *faults[i]->data();
            const LightweightDataStruct& q = *data(back).getSpecificData(unsigned(i))->data();
            EXPECT_EQ(p.getStrike(), q.getStrike());
            EXPECT_EQ(p.getDip(), q.getDip());
            EXPECT_EQ(p.getTrend(), q.getTrend());
            EXPECT_EQ(p.getPlunge(), q.getPlunge());
            // The sense comes back as the slip's larger component: the same
            // when it was written so, else the same movement (hanging wall
            // along or against the line, hence the same P and T axes).
            const int a = FaultData::slipAngle(p.getStrike(), p.getTrend(), p.getPlunge());
            const bool lateral = p.getSlip() == S::GDSlipType_LeftLatSlip || p.getSlip() == S::GDSlipType_RightLatSlip;
            if (lateral == (a < 45 || a > 135)) {
                EXPECT_EQ(q.getSlip(), p.getSlip()) << "rake " << a;
            }
            EXPECT_EQ(Analyzer::slipClass(q.getStrike(), q.getTrend(), q.getPlunge(), q.getSlip()),
                      Analyzer::slipClass(p.getStrike(), p.getTrend(), p.getPlunge(), p.getSlip()))
                << "rake " << a;
        }
        manager.deleteDataset(id);
        manager.deleteDataset(back);
    }
}

TEST_F(RoundTrip, StructureNamesInATypeColumnKeepTheirValues) {
    // S0, S1, L1 are structure names.  Read as the library reads a Type
    // column, S1 is a result record by its first letter: its trend and
    // plunge (given in the strike and dip columns) are kept and written
    // where the reader finds them again.  Read as qz and Python read it,
    // the names are labels and the kind comes from the values.
    const std::string file = "Type\tStrike\tDip\tTrend\tPlunge\nS1\t055\t09\t\t\nS0\t120\t30\t\t\nL1\t\t\t045\t20\n"
                             "Spec\t\t\t100\t10\nP\t10\t20\t\t\n";
    for (const bool labels : {false, true}) {
        SCOPED_TRACE(labels ? "labels" : "kinds");
        const unsigned char id = create();
        O o;
        o.setDefaultColumnOptions();
        o.setIEOption(O::IE_Report_Errors);
        o.setIEOption(O::IE_Read_Attributes);
        if (labels) o.setIEOption(O::IE_Type_Labels);
        guessFileLayout("s.txt", file, LayoutChoices()).applyTo(o);
        std::istringstream in(file);
        ASSERT_EQ(manager.addData(id, o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in), 1);
        ASSERT_EQ(data(id).getNumData(), 5);
        const GeoData& s1 = *data(id).getSpecificData(0);
        EXPECT_EQ(s1.getGDType(), labels ? K::GDType_Plane : K::GDType_GenericSpecial);
        EXPECT_EQ(labels ? s1.data()->getStrike() : s1.data()->getTrend(), 55);
        EXPECT_EQ(labels ? s1.data()->getDip() : s1.data()->getPlunge(), 9);
        EXPECT_EQ(data(id).getSpecificData(2)->getGDType(), K::GDType_Line);
        if (labels) {
            EXPECT_NE(data(id).getSpecificData(1)->data()->getAttributes(), 0u);
        }
        const unsigned char back = read("out.txt", write(id, [](O& w) { textLayout(w, krtIEConstants::Tab_Delim); }));
        ASSERT_EQ(data(back).getNumData(), 5);
        for (int i = 0; i < 5; ++i) {
            expectSameValues(id, data(id).getSpecificData(unsigned(i)), back, data(back).getSpecificData(unsigned(i)),
                             "structure");
        }
    }
}

TEST_F(RoundTrip, TheLongestRowTheWriterWritesIsRead) {
    // Every column filled with its longest text: a comment of 255 quotes
    // (written as 512 characters), a station of 15 quotes, the longest
    // numbers.
    const unsigned char id = create();
    Data& d = *manager.getDatasetFromID(id);
    TokenStruct t;
    DataStruct v;
    t.setTokenValue(TokenStruct::Type_Token, "u");
    t.setTokenValue(TokenStruct::Strike_Token, "360");
    t.setTokenValue(TokenStruct::Dip_Token, "0");
    t.setTokenValue(TokenStruct::Trend_Token, "270");
    t.setTokenValue(TokenStruct::Plunge_Token, "90");
    qzParser parser;
    ASSERT_EQ(parser.ParseSingle(t, v), 1);
    t.setComment(std::string(255, '"'));
    d.initStationId(std::string(15, '"').c_str(), v);
    v.setX(-1.2345678901234567e-300);
    v.setY(-1.2345678901234567e+300);
    v.setZ(-0.00012345678901234567);
    v.setMD(-123456789.01234567);
    ASSERT_EQ(d.insertData(v, t), 1);
    const std::string text = write(id, [](O& o) {
        textLayout(o, krtIEConstants::Comma_Delim);
        o.setColumnChoice(13, T::Row_Type);
        o.setIEOption(O::IE_Trend_Plunge_With_Rake);
    });
    const std::size_t longest = text.size() - text.find("\r\n") - 4;  // the data row, without line ends
    EXPECT_GT(longest, 600u);
    EXPECT_LE(longest, std::size_t(krtIEConstants::Max_Line_Length));
    const unsigned char back = read("out.csv", text);
    ASSERT_EQ(data(back).getNumData(), 1);
    expectSameValues(id, d.getSpecificData(0), back, data(back).getSpecificData(0), "longest row");
}

}  // namespace
}  // namespace qzCore
