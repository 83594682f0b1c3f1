// Text, then binary, then text again: every field of every record must
// come back, and both text exports must be the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using O = qzCore::qzIEColumnOptions;
    const std::string content(reinterpret_cast<const char*>(data), size);
    qzfuzz::Session s;
    O text;
    text.setDefaultColumnOptions();
    qzCore::guessFileLayout("fuzz.txt", content, qzCore::LayoutChoices()).applyTo(text);
    // Structure names in a Type column are labels, as qz and Python read
    // them, for half of the inputs.
    if (size % 2) text.setIEOption(O::IE_Type_Labels);
    const unsigned char a = s.read(content, text);
    if (a == 0) return 0;
    O binary;
    binary.setIEOption(O::IE_Binary_File);
    const std::string bytes = s.write(a, binary);
    O binaryIn;
    binaryIn.setDefaultColumnOptions();
    binaryIn.setIEOption(O::IE_Binary_File);
    const unsigned char b = s.read(bytes, binaryIn);
    if (b == 0) qzfuzz::finding("the binary file the writer wrote was refused");
    const qzCore::Data& da = *s.manager.getDatasetFromID(a);
    const qzCore::Data& db = *s.manager.getDatasetFromID(b);
    if (da.getNumData() != db.getNumData()) qzfuzz::finding("records lost in the binary round trip");
    for (int i = 0; i < da.getNumData(); ++i) {
        const qzCore::GeoData* x = da.getSpecificData(unsigned(i));
        const qzCore::GeoData* y = db.getSpecificData(unsigned(i));
        qzCore::DataStruct vx, vy;
        qzCore::TokenStruct tx, ty;
        x->get(vx);
        y->get(vy);
        x->get(tx);
        y->get(ty);
        if (!(vx == vy)) qzfuzz::finding("values changed in the binary round trip");
        if (!(tx == ty)) qzfuzz::finding("tokens changed in the binary round trip");
        if (vx.getX() != vy.getX() || vx.getY() != vy.getY() || vx.getZ() != vy.getZ()) {
            qzfuzz::finding("location changed in the binary round trip");
        }
        std::string sx, sy;
        if (vx.hasStationIdAttached()) da.getStationIdFromIndex(vx.getStationIndex(), sx);
        if (vy.hasStationIdAttached()) db.getStationIdFromIndex(vy.getStationIndex(), sy);
        if (sx != sy) qzfuzz::finding("station changed in the binary round trip");
        for (unsigned bit = 0; bit < 32; ++bit) {
            if ((vx.getAttributes() >> bit) & 1u) {
                if (da.getAttrList().getAttrLabel(bit) != db.getAttrList().getAttrLabel(bit)) {
                    qzfuzz::finding("attribute changed in the binary round trip");
                }
            }
        }
    }
    const std::string exported = s.write(a, qzfuzz::textExport());
    if (exported != s.write(b, qzfuzz::textExport())) qzfuzz::finding("the two text exports differ");
    // Whatever the reader took, the text writer writes so that it reads
    // back: every record, of its kind.
    O again;
    again.setDefaultColumnOptions();
    qzCore::guessFileLayout("fuzz.txt", exported, qzCore::LayoutChoices()).applyTo(again);
    const unsigned char c = s.read(exported, again);
    if (c == 0) qzfuzz::finding("the text export was refused");
    const qzCore::Data& dc = *s.manager.getDatasetFromID(c);
    if (dc.getNumData() != da.getNumData()) qzfuzz::finding("records lost in the text export");
    for (int i = 0; i < da.getNumData(); ++i) {
        if (da.getSpecificData(unsigned(i))->getGDType() != dc.getSpecificData(unsigned(i))->getGDType()) {
            qzfuzz::finding("a record's kind changed in the text export");
        }
    }
    return 0;
}
