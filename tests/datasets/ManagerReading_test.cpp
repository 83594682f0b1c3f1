// Reading values back through the manager, extents, file names and
// selections.
#include <gtest/gtest.h>

#include "qzCore/datasets/DataManager.h"
#include "qzCore/datasets/StationList.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/FileManager.h"
#include "tests/support/OneDataset.h"

namespace qzCore {
namespace {

using K = GDTypes;
using S = GDSlipTypes;

class ManagerReading : public OneDatasetTest {
protected:
    const GeoData* insert(DataStruct d, const char* slip = nullptr) { return add(d, slip); }
};

TEST_F(ManagerReading, DataValuesOfEachKind) {
    const GeoData* plane = insert(planeValues(30, 40));
    const GeoData* line = insert(lineValues(200, 15));
    // Normal slip down dip (A = 90): counter-clockwise, not along strike.
    const GeoData* normal = insert(faultValues(0, 60, 90, 60, S::GDSlipType_NormalSlip), "Norm");
    // Dextral on a line along the strike (A = 0): clockwise, along strike.
    const GeoData* dextral = insert(faultValues(0, 90, 0, 0, S::GDSlipType_RightLatSlip), "RLat");
    const GeoData* ambiguous = insert(faultValues(0, 60, 90, 60, S::GDSlipType_AmbigSlip), "Ambig");
    int a = -9, b = -9;
    EXPECT_TRUE(manager.getDataValue(Value_Strike_Dip, plane, a, b));
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(30, 40));
    EXPECT_TRUE(manager.getDataValue(Value_Trend_Plunge, line, a, b));
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(200, 15));
    EXPECT_TRUE(manager.getDataValue(Value_Slip_Sense, normal, a, b));
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(0, 0));
    EXPECT_TRUE(manager.getDataValue(Value_Slip_Sense, dextral->getDataReference(), a, b));
    EXPECT_EQ(std::make_pair(a, b), std::make_pair(1, 1));
    // No rotational sense, no record, no such value, no such reference.
    EXPECT_FALSE(manager.getDataValue(Value_Slip_Sense, ambiguous, a, b));
    EXPECT_FALSE(manager.getDataValue(Value_Slip_Sense, plane, a, b));
    EXPECT_FALSE(manager.getDataValue(Value_Strike_Dip, static_cast<const GeoData*>(nullptr), a, b));
    EXPECT_FALSE(manager.getDataValue(static_cast<DATAVALUETYPE>(3), plane, a, b));
    EXPECT_FALSE(manager.getDataValue(Value_Strike_Dip, 0x05000001u, a, b));
}

TEST_F(ManagerReading, ExtentsOverLocatedRecordsOnly) {
    ThreeDPoint<double> lo, hi;
    double mdLo = 0, mdHi = 0;
    insert(planeValues(1, 1));
    EXPECT_FALSE(manager.getDataLocExtents(id, lo, hi));
    EXPECT_EQ(lo.x(), 1e100);
    EXPECT_EQ(hi.z(), -1e100);
    EXPECT_FALSE(manager.getDataMDExtents(id, mdLo, mdHi));

    DataStruct a = planeValues(2, 2);
    a.setX(500.0);
    a.setY(-20.0);
    a.setZ(3.0);
    a.setMD(1200.5);
    insert(a);
    DataStruct b = lineValues(3, 3);
    b.setX(100.0);
    b.setY(40.0);
    b.setZ(-7.5);
    b.setMD(80.0);
    insert(b);
    DataStruct c = lineValues(4, 4);
    c.setMD(950.0);
    insert(c);
    ASSERT_TRUE(manager.getDataLocExtents(id, lo, hi));
    EXPECT_EQ(lo.x(), 100.0);
    EXPECT_EQ(hi.x(), 500.0);
    EXPECT_EQ(lo.y(), -20.0);
    EXPECT_EQ(hi.y(), 40.0);
    EXPECT_EQ(lo.z(), -7.5);
    EXPECT_EQ(hi.z(), 3.0);
    ASSERT_TRUE(manager.getDataMDExtents(id, mdLo, mdHi));
    EXPECT_EQ(mdLo, 80.0);
    EXPECT_EQ(mdHi, 1200.5);
    EXPECT_FALSE(manager.getDataLocExtents(99, lo, hi));
    EXPECT_FALSE(manager.getDataMDExtents(99, mdLo, mdHi));
}

TEST(FileNames, ClassifiedByExtension) {
    const FileManager f;
    Window_Type w = Window_Data;
    // {name, window, text file, DXF}
    struct Case {
        const char* name;
        Window_Type window;
        bool text, dxf;
    };
    const Case cases[] = {
        {"site.txt", Window_Data, true, false},        {"site.gdf", Window_Data, false, false},
        {"SITE.OAF", Window_Data, false, false},       {"map.dxf", Window_Graphics, true, true},
        {"map.DXF", Window_Data, true, true},          {"net.bmp", Window_Graphics, false, false},
        {"net.emf", Window_Graphics, false, false},    {"faults.fkn", Window_Data, true, false},
        {"data.txt.bmp", Window_Data, false, false},   // a data name wins over a picture name
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(f.determineInputFileType(c.name, w));
        EXPECT_EQ(w, c.window) << c.name;
        EXPECT_EQ(f.isTextFile(c.name), c.text) << c.name;
        EXPECT_EQ(f.isDXFImport(c.name), c.dxf) << c.name;
    }
}

}  // namespace
}  // namespace qzCore
