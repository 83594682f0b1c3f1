#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/files/qzFileParser.h"

#include "tests/files/ImportFixture.h"

namespace qzCore {
namespace testing_import {
namespace {

TEST_F(Import, DefaultLayoutWithLineEndsMarksAndBlankLines) {
    const std::string text = "\xEF\xBB\xBF" "045\t30\r\n\r\n\n120\t40SW\t\t\t\tW-1\tBedding\r\n300\t20\t\t\t\t\t";
    ASSERT_EQ(load(text, [](O& o) {
                  o.setDefaultColumnChoices();
                  o.setIEOption(O::IE_Read_Attributes);
              }),
              1);
    ASSERT_EQ(data.getNumData(), 3);
    EXPECT_EQ(at(0).data()->getStrike(), 45);
    EXPECT_EQ(at(1).data()->getStrike(), 120);
    std::string id;
    data.getStationIdFromIndex(at(1).data()->getStationIndex(), id);
    EXPECT_EQ(id, "W-1");
    EXPECT_EQ(at(1).data()->getAttributes(), 0x1u);
    EXPECT_EQ(data.getAttrList().getAttrLabel(0), "Bedding");
    EXPECT_EQ(at(2).data()->getStrike(), 300);
    EXPECT_TRUE(report().empty());  // blank lines are not errors
}

TEST_F(Import, BadRowsAreReportedByLineAndReadingGoesOn) {
    // {columns, text, records loaded, what the report must hold}.
    const std::vector<int> SD = {T::Strike_Type, T::Dip_Type};
    const struct {
        std::vector<int> columns;
        std::string text;
        int loaded;
        std::vector<std::string> report;
    } cases[] = {
        {SD, "045\t30\n046\t95\n\n047\t31\nN95E\t20\n", 2,
         {"046\t95\r\n%<Line 2> Error on input value\nInvalid dip value: out of range (0 to 90)\r\n",
          "N95E\t20\r\n%<Line 5> Error on input value\nInvalid strike value: quadrant angle out of range (0 to 90)"}},
        // "4\0 0" would have read as a dip of 4; a row starting with NUL
        // would have vanished.
        {SD, std::string("045\t4\0 0\n\0" "46\t31\n047\t32\n", 23), 1,
         {"045\t4\\0 0\r\n%<Line 1> Error on input value\nNUL character in line (UTF-16 text? Save it as UTF-8)",
          "\\046\t31\r\n%<Line 2> Error on input value\nNUL character"}},
        {SD, "045\t30\n\xff\xfe\x80\t\x01\x02\n\t\t\t\n046\t31", 2, {"%<Line 2>"}},
        // Fields too long for their column are never cut: "30NWXYZ" cut to
        // five characters would read as a dip with letters.
        {{T::Strike_Type, T::Dip_Type, T::Well_Type, T::Attr1_Type},
         "045\t30NWXYZ\n045\t30\tBorehole-2024-001\n045\t30\t\t" + std::string(32, 'a') + "\n045\t30\tW-7\n", 1,
         {"%<Line 1> Error on input value\nInvalid dip value",
          "%<Line 2> Error on input value\nError interpreting input value",
          "%<Line 3> Error creating new data attribute\nAttribute label too long"}},
        // Universal-stage axes must be near right angles: a row, not the file.
        {{T::Type_Type, T::Strike_Type, T::Dip_Type, T::Trend_Type, T::Plunge_Type},
         "u\t10\t20\t100\t0\nu\t0\t0\t120\t0\nu\t0\t0\t90\t0\n", 2, {"%<Line 2> Error creating UStage data"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ErrorManager e;
        Data d(ComplexFileName("rows"), &e, 3);
        ASSERT_EQ(loadInto(d, c.text, [&c](O& o) {
                      o.resetColumnChoices();
                      for (std::size_t i = 0; i < c.columns.size(); ++i) o.setColumnChoice(int(i), c.columns[i]);
                  }),
                  1);
        EXPECT_EQ(d.getNumData(), c.loaded);
        for (const std::string& r : c.report) {
            EXPECT_NE(e.getErrorReportBuffer().find(r), std::string::npos) << e.getErrorReportBuffer();
        }
    }
}

TEST_F(Import, OverlongLinesAreRejectedAndReadingGoesOn) {
    const std::string tooLong(krtIEConstants::Max_Line_Length, 'c');  // with the angles, past the limit
    const std::string text = "045\t30\tok\n046\t31\t" + tooLong + "\n047\t32\tok\n";
    ASSERT_EQ(loadColumns(text, {T::Strike_Type, T::Dip_Type, T::Comment_Type}), 1);
    ASSERT_EQ(data.getNumData(), 2);
    EXPECT_EQ(at(1).data()->getStrike(), 47);
    EXPECT_NE(report().find("%<Line 2> Error on input value\nLine too long"), std::string::npos);
    // The report holds the line as read: its first Max_Line_Length characters.
    EXPECT_EQ(report().find("\r\n"), std::size_t(krtIEConstants::Max_Line_Length));
}

TEST_F(Import, CommentsUpTo255CharactersAndNoLonger) {
    const std::string text = "045\t30\t" + std::string(255, 'c') + "\n046\t31\t" + std::string(256, 'd') + "\n";
    ASSERT_EQ(loadColumns(text, {T::Strike_Type, T::Dip_Type, T::Comment_Type}), 1);
    ASSERT_EQ(data.getNumData(), 1);
    EXPECT_EQ(at(0).tokens()->getComment(), std::string(255, 'c'));
    EXPECT_NE(report().find("%<Line 2> Error on input value\nComment longer than 255 characters"), std::string::npos);
}

TEST_F(Import, LocationsAndDepthsMustBeReadable) {
    const std::string text = "045\t30\t512345.67\t4000000\t-20\t1523.5\n"
                             "045\t30\tabc\t\t\t\n"
                             "045\t30\t\t\t\tdeep\n";
    ASSERT_EQ(loadColumns(text, {T::Strike_Type, T::Dip_Type, T::XLoc_Type, T::YLoc_Type, T::ZLoc_Type, T::MD_Type}), 1);
    ASSERT_EQ(data.getNumData(), 1);
    EXPECT_EQ(at(0).data()->getX(), 512345.67);
    EXPECT_EQ(at(0).data()->getZ(), -20.0);
    EXPECT_EQ(at(0).data()->md(), 1523.5);
    EXPECT_NE(report().find("%<Line 2> Error parsing location"), std::string::npos);
    EXPECT_NE(report().find("%<Line 3> Error on input value\nError interpreting md value"), std::string::npos);
}

TEST_F(Import, TypeColumnCommentsAndQuotedCommas) {
    const std::string text = "Type,Strike,Dip,Rake,Trend,Plunge,Slip,Comment\n"
                             "f,N20E,60SE,85N,,,Norm,\"main fault, north block\"\n"
                             "l,,,,042,12,,fold axis\n"
                             "p,010,20,,,,,\n";
    ASSERT_EQ(load(text,
                   [](O& o) {
                       columnsOf({T::Type_Type, T::Strike_Type, T::Dip_Type, T::Rake_Type, T::Trend_Type, T::Plunge_Type, T::Slip_Type, T::Comment_Type}, krtIEConstants::Comma_Delim)(o);
                       o.setColumnOption(ieColumnOptions::Column_Option_Header_Row);
                   }),
              1);
    ASSERT_EQ(data.getNumData(), 3);
    EXPECT_EQ(data.getNumFaults(), 1);
    EXPECT_STREQ(at(0).tokens()->getComment(), "main fault, north block");
    EXPECT_EQ(at(0).data()->getRake(), 85);
    EXPECT_TRUE(at(0).data()->hasSlip());
    EXPECT_EQ(data.getNumLines(), 1);
    EXPECT_TRUE(report().empty()) << report();
}

TEST_F(Import, StationsBeyondWhatRecordsCanAddressAreReported) {
    std::string text;
    for (int i = 0; i < 130; ++i) text += "045\t30\tS" + std::to_string(i) + "\n";
    ASSERT_EQ(loadColumns(text, {T::Strike_Type, T::Dip_Type, T::Well_Type}), 1);
    EXPECT_EQ(data.getNumData(), 128);
    EXPECT_EQ(data.getNumStations(), 128);
    EXPECT_NE(report().find("%<Line 129> Error creating dataset\nError inserting new data"), std::string::npos);
    EXPECT_NE(report().find("%<Line 130>"), std::string::npos);
    for (int i = 0; i < 128; ++i) {
        std::string id;
        data.getStationIdFromIndex(at(i).data()->getStationIndex(), id);
        ASSERT_EQ(id, "S" + std::to_string(i));
    }
}

TEST_F(Import, AttributesAskedAboutWhenTheOptionsSaySo) {
    ScriptedMessages answers({0});
    ScopedMessageHandler inner(&answers);
    const std::string text = "045\t30\tGranite\n046\t31\tGranite\n047\t32\tBasalt\n";
    ASSERT_EQ(load(text,
                   [](O& o) {
                       o.resetColumnChoices();
                       o.setColumnChoice(0, T::Strike_Type);
                       o.setColumnChoice(1, T::Dip_Type);
                       o.setColumnChoice(2, T::Attr1_Type);
                       o.setIEOption(O::IE_Read_Attributes);
                       o.setIEOption(O::IE_Attribute_Link_1);
                   }),
              1);
    EXPECT_EQ(answers.questions.size(), 2u);  // Granite refused once, Basalt accepted
    EXPECT_EQ(data.getAttributeCount(), 1u);
    EXPECT_EQ(at(0).data()->getAttributes(), 0u);
    EXPECT_EQ(at(2).data()->getAttributes(), 0x1u);
}

TEST_F(Import, StereonetLayouts) {
    struct Case {
        const char* text;
        char kind;
        int a, b;
    } cases[] = {{"AZ\n120 35\n", K::GDType_Plane, 120, 35},
                 {"QD  bedding\nN 30 E 45 SE\n", K::GDType_Plane, 30, 45},
                 {"AD\n210 40 NW\n", K::GDType_Plane, 210, 40},
                 {"TP\n310 25\n", K::GDType_Line, 310, 25},
                 {"PT\n25 310\n", K::GDType_Line, 310, 25},
                 {"PQ\n25 N 50 W\n", K::GDType_Line, 310, 25},
                 {"TP and DD\n310 25\n", K::GDType_Line, 310, 25},
                 {"DD\n30 120\n", K::GDType_Plane, 30, 30},  // dip and dip direction
                 {"no code here\n120 35\n", K::GDType_Null, 0, 0}};
    for (const Case& c : cases) {
        Data d(ComplexFileName("s"), &errors, 2);
        O o;
        o.setIEOption(O::IE_Stereonet_File);
        o.setDefaultStereonetInputColumnChoices();
        o.setColumnDelim(krtIEConstants::Space_Delim);
        std::istringstream in(c.text);
        ASSERT_EQ(d.addData(o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in), 1) << c.text;
        ASSERT_EQ(d.getNumData(), c.kind == K::GDType_Null ? 0 : 1) << c.text;
        if (c.kind == K::GDType_Null) continue;
        const GeoData* g = d.getSpecificData(0);
        EXPECT_EQ(g->getGDType(), c.kind) << c.text;
        if (c.kind == K::GDType_Plane) {
            EXPECT_EQ(g->data()->getStrike(), c.a) << c.text;
            EXPECT_EQ(g->data()->getDip(), c.b) << c.text;
        } else {
            EXPECT_EQ(g->data()->getTrend(), c.a) << c.text;
            EXPECT_EQ(g->data()->getPlunge(), c.b) << c.text;
        }
    }
}

O faultKinOptions() {
    O o;
    o.setIEOption(O::IE_FaultKin_File);
    o.setIEOption(O::IE_Report_Errors);
    o.setDefaultFaultKinInputColumnChoices();
    o.setColumnDelim(krtIEConstants::Space_Delim | krtIEConstants::Tab_Delim);
    return o;
}

TEST_F(Import, FaultKinMarkersGiveTheSense) {
    const O o = faultKinOptions();
    std::istringstream in("MomentFormat 2\nTL\n 300  35  020  34  1\nheading to skip\nNR\n020\t60\t108\t60\n");
    ASSERT_EQ(data.addData(o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in), 1);
    ASSERT_EQ(data.getNumFaults(), 2);
    EXPECT_EQ(at(0).data()->getSlip(), GDSlipTypes::GDSlipType_ReverseSlip);
    EXPECT_EQ(at(0).data()->getTrend(), 20);
    EXPECT_EQ(at(1).data()->getSlip(), GDSlipTypes::GDSlipType_NormalSlip);
    EXPECT_TRUE(at(1).data()->hasCCWSlip());  // normal slip straight down dip
}

TEST_F(Import, KindLabelsAsTheWriterWritesThem) {
    const std::string text = "Type,Strike,Dip,Rake,Trend,Plunge,Slip\n"
                             "Dip,30,40\nMarker,50,10\nUStage,90,0,,0,90\nFish,,,,120,30\nPAxis,,,,200,10\n"
                             "Eig 1,,,,10,20\nfault,10,60,90,,,Norm\nUStage3,,,,5,6\nplane,1,2\nFishy,1,2\n";
    ASSERT_EQ(load(text,
                   [](O& o) {
                       columnsOf({T::Type_Type, T::Strike_Type, T::Dip_Type, T::Rake_Type, T::Trend_Type, T::Plunge_Type, T::Slip_Type}, krtIEConstants::Comma_Delim)(o);
                       o.setColumnOption(ieColumnOptions::Column_Option_Header_Row);
                   }),
              1);
    EXPECT_TRUE(report().empty()) << report();
    const char kinds[] = {K::GDType_ZolWellData, K::GDType_ZolMarkerData, K::GDType_UStage, K::GDType_Fisher,
                          K::GDType_PAxis,       K::GDType_Eigen1,        K::GDType_Fault,  K::GDType_UStageAxis3,
                          K::GDType_Plane,       K::GDType_Fault};  // "Fishy" is no label: f, a fault
    ASSERT_EQ(data.getNumData(), 10);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(at(i).getGDType(), kinds[i]) << i;
    EXPECT_EQ(at(3).data()->getTrend(), 120);
    EXPECT_EQ(at(3).data()->getPlunge(), 30);
}

TEST_F(Import, DepthsInEveryNotationTheWriterUses) {
    const std::string text = "045\t30\t1e+300\n045\t30\t0.0001\n045\t30\t-2.5E-3\n045\t30\t1000000\n";
    ASSERT_EQ(loadColumns(text, {T::Strike_Type, T::Dip_Type, T::MD_Type}), 1);
    ASSERT_EQ(data.getNumData(), 4);
    EXPECT_EQ(at(0).data()->md(), 1e300);
    EXPECT_EQ(at(1).data()->md(), 0.0001);
    EXPECT_EQ(at(2).data()->md(), -2.5e-3);
    EXPECT_EQ(at(3).data()->md(), 1e6);
}

TEST_F(Import, FaultKinFirstLineIsChecked) {
    const O o = faultKinOptions();
    const qzIEDataTypeOrder order(qzIEDataTypeOptions(), o);
    std::istringstream wrong("Fault data\nTL\n300 35 020 34\n");
    int code = 0;
    try {
        data.addData(o, order, wrong);
    } catch (int c) {
        code = c;
    }
    EXPECT_EQ(code, Error::Bad_FaultKin_File);
    std::istringstream empty("");
    code = 0;
    try {
        data.addData(o, order, empty);
    } catch (int c) {
        code = c;
    }
    EXPECT_EQ(code, Error::Unknown_File_Format);
    std::istringstream truncated("FaultKin\nTR\n");
    EXPECT_EQ(data.addData(o, order, truncated), 1);
    EXPECT_EQ(data.getNumData(), 0);
}

TEST_F(Import, DxfTextEndsWithNoRecords) {
    O o;
    o.setIEOption(O::IE_DXF_Text);
    o.setDXFColumnChoices();
    std::istringstream in("0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");
    EXPECT_EQ(data.addData(o, qzIEDataTypeOrder(qzIEDataTypeOptions(), o), in), 1);
    EXPECT_EQ(data.getNumData(), 0);
}

}  // namespace
}  // namespace testing_import
}  // namespace qzCore
