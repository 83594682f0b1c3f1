// Pictures through the cairo port: a few golden images, compared pixel by
// pixel within a tolerance, and smoke tests of SVG and PDF.
//
// Regenerate the golden images (after a change meant to alter them, and
// after looking at the new ones) with
//   QZ_REGENERATE_GOLDEN=1 ctest --test-dir build -R Golden
#include <cairo.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "qzCore/qzCore.h"
#include "qzCore/ports/CairoPort.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/Values.h"

namespace qzCore {
namespace {

using S = GDSlipTypes;

// A pixel differs when a channel differs by more than this (anti-aliased
// edges shift by a little between cairo and freetype builds)...
constexpr int kChannelTolerance = 48;
// ...and a picture matches while at most this share of its pixels differ.
constexpr double kPixelShareTolerance = 0.005;

class Golden : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(manager.createDataset(id, "", false, nullptr), 1); }
    const GeoData* add(DataStruct d, const char* slip = nullptr) {
        TokenStruct t;
        if (slip) t.setTokenValue(TokenStruct::Slip_Token, slip);
        EXPECT_EQ(manager.getDatasetFromID(id)->insertData(d, t), 1);
        const Data& data = *manager.getDatasetFromID(id);
        return data.getSpecificData(unsigned(data.getNumData() - 1));
    }
    /// A 400-unit net on a 460 x 470 canvas.
    std::unique_ptr<CairoPort> port(CairoPort::Format format = CairoPort::Format::Png) {
        auto p = std::make_unique<CairoPort>(460.0, 470.0, format);
        p->setSize(TwoDPoint<float>(230.0f, 250.0f), 200.0f);
        return p;
    }
    StereoPlotParams params() {
        StereoPlotParams p;
        p.setPlotSize(PlotSize(400, 30, 50));
        p.getPlotColors().text = RGBColor(0, 0, 0);
        return p;
    }

    /// Compares with tests/images/golden/NAME.png, or writes it when asked.
    void expectGolden(CairoPort& picture, const std::string& name) {
        const std::string path = std::string(QZ_GOLDEN_DIR) + "/" + name + ".png";
        if (std::getenv("QZ_REGENERATE_GOLDEN")) {
            ASSERT_EQ(picture.write(path), 1);
            return;
        }
        const std::string fresh = ::testing::TempDir() + "qz_golden_" + name + ".png";
        ASSERT_EQ(picture.write(fresh), 1);
        cairo_surface_t* a = cairo_image_surface_create_from_png(path.c_str());
        cairo_surface_t* b = cairo_image_surface_create_from_png(fresh.c_str());
        ASSERT_EQ(cairo_surface_status(a), CAIRO_STATUS_SUCCESS) << path << " missing: regenerate";
        ASSERT_EQ(cairo_surface_status(b), CAIRO_STATUS_SUCCESS);
        const int w = cairo_image_surface_get_width(a), h = cairo_image_surface_get_height(a);
        ASSERT_EQ(w, cairo_image_surface_get_width(b));
        ASSERT_EQ(h, cairo_image_surface_get_height(b));
        cairo_surface_flush(a);
        cairo_surface_flush(b);
        const unsigned char* pa = cairo_image_surface_get_data(a);
        const unsigned char* pb = cairo_image_surface_get_data(b);
        const int stride = cairo_image_surface_get_stride(a);
        long differing = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                for (int c = 0; c < 4; ++c) {
                    if (std::abs(int(pa[y * stride + 4 * x + c]) - int(pb[y * stride + 4 * x + c])) >
                        kChannelTolerance) {
                        ++differing;
                        break;
                    }
                }
            }
        }
        cairo_surface_destroy(a);
        cairo_surface_destroy(b);
        EXPECT_LE(double(differing) / (double(w) * h), kPixelShareTolerance)
            << differing << " pixels differ from " << path << "; the new picture is " << fresh;
    }

    ScriptedMessages script{{}};
    ScopedMessageHandler scope{&script};
    ErrorManager errors;
    FileManager files;
    DataManager manager{&errors, &files};
    unsigned char id = 0;
};

TEST_F(Golden, EmptyNet) {
    auto picture = port();
    StereoPlotParams p = params();
    p.setShowPlotNet(true);
    StereoPlotCore plot(p, picture.get(), manager);
    plot.generatePlot();
    expectGolden(*picture, "empty_net");
}

TEST_F(Golden, PlanesPolesAndSlipArrows) {
    auto picture = port();
    StereoPlotParams p = params();
    StereoPlotCore plot(p, picture.get(), manager);
    for (const auto& plane : {std::pair<int, int>{30, 40}, {120, 70}, {300, 20}}) plot.insertPlane(add(planeValues(plane.first, plane.second)));
    p.setPlaneStyle(Planar_Pole);
    plot.setPlotParams(p);
    for (const auto& plane : {std::pair<int, int>{30, 40}, {120, 70}, {300, 20}}) plot.insertPlane(add(planeValues(plane.first, plane.second)));
    for (const auto& line : {std::pair<int, int>{200, 30}, {10, 5}, {90, 80}}) plot.insertLine(add(lineValues(line.first, line.second)));
    // A normal fault (arrow out, down the dip), a reverse one (in), a
    // dextral one (along the strike backwards).
    plot.insertFault(add(faultValues(0, 60, 90, 60, S::GDSlipType_NormalSlip), "Norm"));
    plot.insertLineation(add(faultValues(0, 60, 90, 60, S::GDSlipType_NormalSlip), "Norm"));
    plot.insertFault(add(faultValues(150, 45, 240, 45, S::GDSlipType_ReverseSlip), "Rev"));
    plot.insertLineation(add(faultValues(150, 45, 240, 45, S::GDSlipType_ReverseSlip), "Rev"));
    plot.insertFault(add(faultValues(250, 85, 250, 5, S::GDSlipType_RightLatSlip), "RLat"));
    plot.insertLineation(add(faultValues(250, 85, 250, 5, S::GDSlipType_RightLatSlip), "RLat"));
    plot.generatePlot();
    expectGolden(*picture, "planes_poles_arrows");
}

TEST_F(Golden, UpperHemisphereWithAFisherOverlay) {
    auto picture = port();
    StereoPlotParams p = params();
    p.setIsLowerHem(false);
    p.setIsEqualArea(false);
    StereoPlotCore plot(p, picture.get(), manager);
    for (const auto& line : {std::pair<int, int>{120, 30}, {130, 35}, {110, 28}, {125, 40}, {118, 22}}) {
        plot.insertLine(add(lineValues(line.first, line.second)));
    }
    // The Fisher mean of these lines, 120/31, with a 7-degree cone.
    plot.insertSpecial(add(lineValues(120, 31, GDTypes::GDType_Fisher)));
    plot.generatePlot();
    plot.generateSmallCircleOnPort(TwoDPoint<float>(120.0f, 31.0f), 7.0f,
                                   GraphicsStyle(RGBColor(200, 0, 0), Style_Solid, Size_Smallest, Symbol_Dot));
    expectGolden(*picture, "upper_fisher");
}

TEST_F(Golden, SvgAndPdfAreWritten) {
    for (const auto& f : {std::make_pair(CairoPort::Format::Svg, std::string("<?xml")),
                          std::make_pair(CairoPort::Format::Pdf, std::string("%PDF-"))}) {
        auto picture = port(f.first);
        StereoPlotParams p = params();
        p.setShowPlotNet(true);
        StereoPlotCore plot(p, picture.get(), manager);
        plot.insertPlane(add(planeValues(30, 40)));
        plot.generatePlot();
        const std::string bytes = picture->bytes();
        ASSERT_GT(bytes.size(), 1000u);
        EXPECT_EQ(bytes.compare(0, f.second.size(), f.second), 0);
    }
    CairoPort::Format format;
    EXPECT_TRUE(CairoPort::formatOf("net.SVG", format));
    EXPECT_EQ(format, CairoPort::Format::Svg);
    EXPECT_FALSE(CairoPort::formatOf("net.jpg", format));
    EXPECT_FALSE(CairoPort::formatOf("png", format));
}

TEST_F(Golden, AFileThatCannotBeWrittenIsAFailure) {
    auto picture = port();
    EXPECT_EQ(picture->write("/no/such/directory/net.png"), -7);
}

}  // namespace
}  // namespace qzCore
