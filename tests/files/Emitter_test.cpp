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
