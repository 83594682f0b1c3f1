// Delimited-text import under several column layouts, and the guess of a
// file's layout.  The first byte chooses the layout; the rest is the file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    using O = qzCore::qzIEColumnOptions;
    using T = qzCore::qzIEDataTypeOptions;
    using K = qzCore::krtIEConstants;
    const unsigned choice = data[0];
    const std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);
    qzfuzz::Session s;
    O o;
    o.setDefaultColumnOptions();
    switch (choice % 5) {
        case 0: o.setDefaultColumnChoices(); break;
        case 1: o.setDefaultClipboardColumnChoices(); break;
        case 2: o = qzfuzz::textExport(); break;
        case 3: {
            // The layout qz would guess.
            qzCore::guessFileLayout("fuzz.txt", content, qzCore::LayoutChoices()).applyTo(o);
            break;
        }
        default: {
            o.resetColumnChoices();
            int c = 0;
            for (const int t : {T::Strike_Type, T::Dip_Type, T::Well_Type, T::Attr1_Type, T::Attr2_Type,
                                T::XLoc_Type, T::MD_Type, T::Comment_Type}) {
                o.setColumnChoice(c++, t);
            }
            break;
        }
    }
    static const unsigned delimiters[] = {K::Tab_Delim, K::Comma_Delim, K::Space_Delim, K::Semi_Colon_Delim,
                                          K::Tab_Delim | K::Comma_Delim | K::Space_Delim};
    if (choice % 5 != 3) o.setColumnDelim(delimiters[(choice / 5) % 5]);
    if (choice & 0x80) o.setIEOption(O::IE_Strike_Is_Dip_Direction);
    if (choice & 0x40) o.setColumnOption(qzCore::ieColumnOptions::Column_Option_Header_Row);
    if (choice & 0x20) o.setColumnOption(qzCore::ieColumnOptions::Column_Option_Decimal_Comma);
    if (choice & 0x10) o.setIEOption(O::IE_Type_Labels);
    const unsigned char id = s.read(content, o);
    if (id == 0) return 0;
    // No line disappears: each is loaded, rejected or counted as passed
    // over (blank, comment, title, header).
    const bool delimited = !o.getIEOption(O::IE_Stereonet_File) && !o.getIEOption(O::IE_FaultKin_File) &&
                           !o.getIEOption(O::IE_Binary_File) && !o.getIEOption(O::IE_DXF_Text);
    if (delimited) {
        const unsigned long accounted = static_cast<unsigned long>(s.manager.getDatasetFromID(id)->getNumData()) +
                                        s.errors.getNumRejected() + s.errors.getSkippedLines().total();
        if (accounted != qzfuzz::linesOf(content)) qzfuzz::finding("a line was neither loaded, rejected nor counted");
    }
    s.write(id, qzfuzz::textExport());
    return 0;
}
