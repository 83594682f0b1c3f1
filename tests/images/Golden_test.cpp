// Pictures through the cairo port: four golden images (data and arrows,
// the upper hemisphere in equal angle, filled contours, a rose), compared pixel by
// pixel within a tolerance, and smoke tests of SVG and PDF.
//
// Regenerate the golden images (after a change meant to alter them, and
// after looking at the new ones) with
//   QZ_REGENERATE_GOLDEN=1 ctest --test-dir build -R Golden
#include <cairo.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "qzCore/errors/ErrorCodes.h"
#include "qzCore/qzCore.h"
#include "qzCore/ports/CairoFigure.h"
#include "qzCore/ports/CairoPort.h"
#include "tests/support/OneDataset.h"

namespace qzCore {
namespace {

using S = GDSlipTypes;

// A pixel differs when a channel differs by more than this (anti-aliased
// edges shift by a little between cairo and freetype builds)...
constexpr int kChannelTolerance = 48;
// ...and a picture matches while at most this share of its pixels differ.
constexpr double kPixelShareTolerance = 0.005;

class Golden : public OneDatasetTest {
protected:
    /// A 400-unit net on a 460 x 470 canvas (wider for a legend).
    std::unique_ptr<CairoPort> port(CairoPort::Format format = CairoPort::Format::Png, double width = 460.0) {
        auto p = std::make_unique<CairoPort>(width, 470.0, format);
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
};

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

/// Two clusters of poles and a scatter of lines: density worth contouring.
void contouredData(StereoPlotCore& plot, const std::function<const GeoData*(DataStruct)>& add) {
    for (int k = 0; k < 12; ++k) plot.insertPlane(add(planeValues(300 + k % 4, 40 + k % 5)));
    for (int k = 0; k < 8; ++k) plot.insertPlane(add(planeValues(200 + 2 * (k % 3), 75 + k % 3)));
    for (const auto& line : {std::pair<int, int>{20, 10}, {40, 30}, {100, 60}, {160, 20}}) {
        plot.insertLine(add(lineValues(line.first, line.second)));
    }
}

TEST_F(Golden, FilledContoursUnderTheData) {
    auto picture = port(CairoPort::Format::Png, 570.0);
    StereoPlotParams p = params();
    p.setShowPlotLegend(true);
    StereoPlotCore plot(p, picture.get(), manager);
    contouredData(plot, [this](DataStruct d) { return add(d); });
    ContourParams c;
    c.setIncludePlanes(true);
    c.setCountGreatCirclesAtPoles(true);
    c.setClosedContours(true);
    c.setStartLevel(4.0);
    c.setContourInterval(8.0);
    plot.setContourParams(c);
    plot.generatePlot();
    expectGolden(*picture, "contours_filled");
}

/// Strikes of two joint sets and a scatter, as planes.
void jointSets(Plot& plot, const std::function<const GeoData*(DataStruct)>& add) {
    const int strikes[] = {40, 42, 45, 38, 47, 44, 41, 130, 128, 135, 126, 133, 131, 80, 170, 210, 222, 300};
    for (int s : strikes) plot.insertPlane(add(planeValues(s, 70)));
}

TEST_F(Golden, RoseOfAxesByArea) {
    auto picture = port();
    RosePlotParams p;
    p.setPlotSize(PlotSize(400, 30, 50));
    p.getPlotColors().text = RGBColor(0, 0, 0);
    p.setClassSize(10);
    p.setIsUnidirectional(false);
    RosePlotCore plot(p, picture.get(), manager);
    jointSets(plot, [this](DataStruct d) { return add(d); });
    plot.generatePlot();
    expectGolden(*picture, "rose_area_axes");
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
    EXPECT_EQ(picture->write("/no/such/directory/net.png"), Error::File_Write_Error);
}

/// The grey level (0 black .. 255 white) of a pixel of a PNG picture.
int greyAt(const std::string& png, int x, int y) {
    struct Reader {
        const std::string* data;
        std::size_t at = 0;
    } reader{&png};
    cairo_surface_t* image = cairo_image_surface_create_from_png_stream(
        [](void* closure, unsigned char* out, unsigned int length) {
            auto* r = static_cast<Reader*>(closure);
            if (r->at + length > r->data->size()) return CAIRO_STATUS_READ_ERROR;
            std::memcpy(out, r->data->data() + r->at, length);
            r->at += length;
            return CAIRO_STATUS_SUCCESS;
        },
        &reader);
    cairo_surface_flush(image);
    const unsigned char* p = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image) + 4 * x;
    const int grey = p[1];  // green channel of BGRA
    cairo_surface_destroy(image);
    return grey;
}

TEST(CairoFigure, ScaledWithItsSizeTitledToFitAnyScript) {
    // Every size the library gives is scaled by size / 400; a long title is
    // shrunk until it fits the canvas; text the face lacks (Greek, maths)
    // comes from a fallback font.
    const std::string title(60, 'W');
    for (const auto& c : {std::make_pair(100, 0.25), {400, 1.0}, {4000, 10.0}}) {
        CairoFigure figure(CairoPort::Format::Svg, c.first, title, true);
        EXPECT_DOUBLE_EQ(figure.scale(), c.second) << c.first;
        EXPECT_FLOAT_EQ(figure.plotSize().getHalfSize(), float(c.first) / 2.0f);
        int size = 0;
        EXPECT_EQ(figure.fitTitle(size), title);  // shrunk, whole
        EXPECT_LT(size, 14);
        const double room = figure.port().getWidth() - 8.0 * c.second;
        EXPECT_LE(figure.port().textWidth(title, size), room);
        EXPECT_GT(figure.port().textWidth(title, size + 1), room);
        EXPECT_EQ(figure.drawTitle(), size);
    }
    // Too long even at 6 points: cut short, whole characters and an
    // ellipsis, within the canvas.
    const std::string sigmas = [] {
        std::string s;
        for (int k = 0; k < 300; ++k) s += "\xcf\x83";
        return s;
    }();
    CairoFigure narrow(CairoPort::Format::Svg, 100, sigmas, false);
    int size = 0;
    const std::string cut = narrow.fitTitle(size);
    EXPECT_EQ(size, 6);
    EXPECT_EQ(cut.compare(cut.size() - 3, 3, "\xe2\x80\xa6"), 0);
    EXPECT_EQ(cut.size() % 2, 1u);  // 2-byte sigmas and a 3-byte ellipsis
    EXPECT_LE(narrow.port().textWidth(cut, size), narrow.port().getWidth());
    CairoFigure figure(CairoPort::Format::Png, 400, "Short", false);
    EXPECT_EQ(figure.drawTitle(), 14);
    EXPECT_EQ(figure.port().missingGlyphs("\xcf\x83\xe2\x82\x81 \xe2\x89\xa5 \xe2\x8a\xa5 \xc2\xb0"), 0);  // sigma-1 >= perp deg
    EXPECT_EQ(figure.port().missingGlyphs("\xf3\xb0\x80\x80"), 1);  // a private-use character: no font has it
}

TEST(RasterLines, CoverageByDistanceAndNoDarkJoints) {
    // A black line two units wide along y = 10.5 (device units: the port's
    // plot radius 1 about (0, 0)): the row through it black, the rows
    // beside it half covered (centre 1 unit off: 1.5 - 1 = 0.5), the next
    // ones untouched.
    CairoPort port(40.0, 40.0, CairoPort::Format::Png);
    port.setSize(TwoDPoint<float>(0.0f, 0.0f), 1.0f);
    port.setLineSize(2);
    const GraphicsStyle black(RGBColor(0, 0, 0), Style_Solid, Size_Smallest, Symbol_Dot);
    port.drawLine(TwoDPoint<float>(2.0f, -10.5f), TwoDPoint<float>(30.0f, -10.5f), black);
    // A path turning at (20, 30): its joint no darker than its lines.
    GraphicsPath v(black);
    for (const auto& p : {std::pair<float, float>{5, -20}, {20, -30}, {35, -20}}) {
        v.add(TwoDPoint<float>(p.first, p.second), GraphicsPath::Path_End);
    }
    port.drawPath(v, black, false, false, true);
    const std::string png = port.bytes();
    EXPECT_EQ(greyAt(png, 15, 10), 0);
    EXPECT_NEAR(greyAt(png, 15, 9), 128, 2);
    EXPECT_NEAR(greyAt(png, 15, 11), 128, 2);
    EXPECT_EQ(greyAt(png, 15, 8), 255);
    EXPECT_EQ(greyAt(png, 15, 12), 255);
    EXPECT_EQ(greyAt(png, 1, 10), 255);  // butt end
    EXPECT_EQ(greyAt(png, 20, 29), 0);   // on the joint: covered once, black, not over-darkened
    EXPECT_EQ(greyAt(png, 20, 33), 255);
}

}  // namespace
}  // namespace qzCore
