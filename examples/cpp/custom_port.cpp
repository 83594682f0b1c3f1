// A graphics port of one's own: every drawing operation of a plot engine
// arrives here in plot units (the primitive has radius 1 about (0, 0), x
// east, y north).  This one lists the points a stereonet draws.
//
//   custom_port
#include <cstdio>
#include <set>
#include <string>

#include <qzCore/qzCore.h>

// [readme:port]
class ListingPort : public qzCore::GraphicsPort {
public:
    void drawSymbol(const qzCore::TwoDPoint<float>& at, const qzCore::GraphicsStyle& style, float size,
                    const qzCore::GraphicsStyle&, bool) override {
        if (size < 20.0f) std::printf("symbol %d at (%.4f, %.4f)\n", int(style.getSymbol()), at.x(), at.y());
    }
    // The rest of what an engine may call; a real port draws them.
    void setLineSize(int) override {}
    void setColorTable(const std::set<qzCore::RGBColor, qzCore::RGBColorLess>&) override {}
    void drawArrow(const qzCore::TwoDPoint<float>&, const qzCore::TwoDPoint<float>&, const qzCore::GraphicsStyle&,
                   float) override {}
    void beginGroup() override {}
    void endGroup() override {}
    void drawPlaneArc(float, float, const qzCore::GraphicsStyle&, bool) override {}
    void applyColorTable() override {}
    void drawLine(const qzCore::TwoDPoint<float>&, const qzCore::TwoDPoint<float>&,
                  const qzCore::GraphicsStyle&) override {}
    bool usesColorTable() override { return false; }
    void drawPath(const qzCore::GraphicsPath&, const qzCore::GraphicsStyle&, bool, bool, bool) override {}
    void drawWedge(const qzCore::TwoDPoint<float>&, const qzCore::TwoDPoint<float>&, float, float,
                   const qzCore::GraphicsStyle&, const qzCore::GraphicsStyle&, bool) override {}
    void drawBox(const qzCore::TwoDPoint<float>&, const qzCore::TwoDPoint<float>&, const qzCore::GraphicsStyle&,
                 const qzCore::GraphicsStyle&, bool, bool) override {}
    void setFillStyle(const qzCore::GraphicsStyle&) override {}
    void endFill() override {}
    void endFrame() override {}
    void setFont(const std::string&, int) override {}
    void drawText(const std::string&, const qzCore::TwoDPoint<float>&, int, const qzCore::GraphicsStyle&,
                  int) override {}
};
// [/readme]

int main() {
    qzCore::ErrorManager errors;
    qzCore::FileManager files;
    qzCore::DataManager manager(&errors, &files);
    unsigned char id = 0;
    if (manager.createDataset(id, "typed", false, nullptr) != 1) return 1;
    // A line 090/30 typed in: in equal area it lies at r = sqrt(2) sin 30 east.
    qzCore::DataStruct line;
    line.setGDType(qzCore::GDTypes::GDType_Line);
    line.setTrend(90);
    line.setPlunge(30);
    manager.getDatasetFromID(id)->insertData(line, qzCore::TokenStruct());
    ListingPort port;
    qzCore::StereoPlotParams params;
    params.setShowPlotFrame(false);
    qzCore::StereoPlotCore net(params, &port, manager);
    qzCore::insertDataset(net, *manager.getDatasetFromID(id));
    net.generatePlot();
    return 0;
}
