#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/Emitter.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/Values.h"

#include "qzCore/datasets/Data.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/records/GDTypes.h"
#include "tests/support/ScriptedMessages.h"

namespace qzCore {
namespace {

using O = qzIEColumnOptions;
using T = qzIEDataTypeOptions;
using K = GDTypes;

class EmitterTest : public ::testing::Test {
protected:
    EmitterTest() {
        DataStruct p = planeValues(120, 35);
        TokenStruct pt;
        pt.setTokenValue(TokenStruct::Strike_Token, "120");
        pt.setTokenValue(TokenStruct::Dip_Token, "35");
        pt.setComment("bedding, top");
        data.insertData(p, pt);
        DataStruct f = faultValues(0, 60, 90, GDSlipTypes::GDSlipType_NormalSlip);
        f.setConfidence(Confidence_Certain);
        data.insertData(f, TokenStruct());
        DataStruct noSlip = f;
        noSlip.setSlipType(GDSlipTypes::GDSlipType_NoSlip);
        data.insertData(noSlip, TokenStruct());
        DataStruct l = lineValues(42, 12);
        data.initStationId("W-1", l);
        data.insertData(l, TokenStruct());
    }
    std::string emit(O& o) {
        std::ostringstream out;
        Emitter e(data, data.getDataList(), qzIEDataTypeOrder(T(), o), o, T(), true);
        result = e.emit(out);
        return out.str();
    }

    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    Data data{ComplexFileName("e"), &errors, 2};
    int result = 0;
};

TEST_F(EmitterTest, StereonetWritesPlanesThenLines) {
    O o;
    o.setIEOption(O::IE_Stereonet_File);
    EXPECT_EQ(emit(o), "AD\n 120 35\n 0 60\n 0 60\nTP\n 90 60\n 90 60\n 42 12\n");
    EXPECT_EQ(result, 1);
}

TEST_F(EmitterTest, FaultKinWritesFaultsWithSlipOnly) {
    O o;
    o.setIEOption(O::IE_FaultKin_File);
    // Straight down dip: the flags alone would give TL, a thrust; a normal
    // fault is N.
    EXPECT_EQ(emit(o), "MomentFormat\n\n 0  0    0\n\n\n0 0 0 0 0 0\n\n\n\nNL\n 0 60 90 60 0 0 0 0\n");
}

TEST_F(EmitterTest, BruteListing) {
    O o;
    o.setIEOption(O::IE_Option_0x1000000);
    EXPECT_EQ(emit(o), "0  60  90  60  2  1\n");
}

TEST_F(EmitterTest, NoFormatWritesNothing) {
    O o;
    EXPECT_EQ(emit(o), "");
    EXPECT_EQ(result, Error::File_Write_Error);
}

TEST_F(EmitterTest, DelimitedTextRowsAndQuoting) {
    O o;
    o.setIEOption(O::IE_Option_16);
    o.setColumnChoice(0, T::Strike_Type);
    o.setColumnChoice(1, T::Dip_Type);
    o.setColumnChoice(2, T::Comment_Type);
    o.setColumnDelim(krtIEConstants::Comma_Delim);
    EXPECT_EQ(emit(o), "Strike,Dip,Comment\r\n120,35,\"bedding, top\"\r\n\r\n\r\n\r\n");
}

TEST_F(EmitterTest, TextWrittenIsReadBackTheSame) {
    O o;
    o.setIEOption(O::IE_Option_16);
    o.setIEOption(O::IE_Angles_From_Values);
    o.setIEOption(O::IE_Rake_From_Value);
    int c = 0;
    for (const int t : {T::Type_Type, T::Strike_Type, T::Dip_Type, T::Rake_Type, T::Trend_Type, T::Plunge_Type,
                        T::Slip_Type, T::Well_Type, T::Comment_Type}) {
        o.setColumnChoice(c++, t);
    }
    const std::string text = emit(o);
    ASSERT_EQ(result, 1);
    Data back(ComplexFileName("back"), &errors, 3);
    O in = o;
    in.setColumnOption(ieColumnOptions::Column_Option_Header_Row);
    in.setColumnOption(ieColumnOptions::Column_Option_Trim_Blanks);
    in.setIEOption(O::IE_Report_Errors);
    std::istringstream stream(text);
    ASSERT_EQ(back.addData(in, qzIEDataTypeOrder(T(), in), stream), 1);
    ASSERT_EQ(back.getNumData(), data.getNumData()) << errors.getErrorReportBuffer();
    for (int i = 0; i < data.getNumData(); ++i) {
        const auto* a = data.getSpecificData(unsigned(i))->data();
        const auto* b = back.getSpecificData(unsigned(i))->data();
        EXPECT_EQ(a->getStrike(), b->getStrike()) << i;
        EXPECT_EQ(a->getDip(), b->getDip()) << i;
        EXPECT_EQ(a->getTrend(), b->getTrend()) << i;
        EXPECT_EQ(a->getPlunge(), b->getPlunge()) << i;
        EXPECT_EQ(a->getSlip(), b->getSlip()) << i;
        EXPECT_EQ(back.getSpecificData(unsigned(i))->getGDType(), data.getSpecificData(unsigned(i))->getGDType());
    }
    std::string id;
    back.getStationIdFromIndex(back.getSpecificData(3)->data()->getStationIndex(), id);
    EXPECT_EQ(id, "W-1");
    EXPECT_STREQ(back.getSpecificData(0)->tokens()->getComment(), "bedding, top");
}

TEST_F(EmitterTest, StereonetAndFaultKinAreReadBackByOurReader) {
    O sn;
    sn.setIEOption(O::IE_Stereonet_File);
    const std::string snText = emit(sn);
    // Our Stereonet reader takes one layout per file: the AD block.
    const std::string adBlock = snText.substr(0, snText.find("TP\n"));
    Data planes(ComplexFileName("p"), &errors, 3);
    O in;
    in.setIEOption(O::IE_Stereonet_File);
    in.setDefaultStereonetInputColumnChoices();
    in.setColumnDelim(krtIEConstants::Space_Delim);
    std::istringstream s(adBlock);
    ASSERT_EQ(planes.addData(in, qzIEDataTypeOrder(T(), in), s), 1);
    EXPECT_EQ(planes.getNumPlanes(), 3);
    EXPECT_EQ(planes.getSpecificData(0)->data()->getStrike(), 120);

    O fk;
    fk.setIEOption(O::IE_FaultKin_File);
    const std::string fkText = emit(fk);
    Data faults(ComplexFileName("f"), &errors, 4);
    O fin;
    fin.setIEOption(O::IE_FaultKin_File);
    fin.setDefaultFaultKinInputColumnChoices();
    fin.setColumnDelim(krtIEConstants::Space_Delim);
    std::istringstream f(fkText);
    ASSERT_EQ(faults.addData(fin, qzIEDataTypeOrder(T(), fin), f), 1);
    ASSERT_EQ(faults.getNumFaults(), 1);
    EXPECT_EQ(faults.getSpecificData(0)->data()->getTrend(), 90);
    EXPECT_EQ(faults.getSpecificData(0)->data()->getSlip(), GDSlipTypes::GDSlipType_NormalSlip);
}

TEST(TextOutput, DelimiterChoiceAndEmptyColumns) {
    std::ostringstream out;
    O o;
    o.setColumnDelim(krtIEConstants::Semi_Colon_Delim | krtIEConstants::Colon_Delim);
    TextOutput t(out, o, 4);
    EXPECT_EQ(t.getDelimiter(), ";");
    qzTokenList row;
    row.set(0, "a");
    row.set(2, "c");
    t.output(row);
    TextOutput none(out, o, 0);
    none.output(row);
    EXPECT_EQ(out.str(), "a;;c\r\n\r\n");
}

}  // namespace
}  // namespace qzCore
