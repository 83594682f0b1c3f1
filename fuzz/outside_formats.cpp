// Stereonet, FaultKin and DXF import.  The first byte chooses the format.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    using O = qzCore::qzIEColumnOptions;
    using K = qzCore::krtIEConstants;
    const std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);
    qzfuzz::Session s;
    O o;
    o.setDefaultColumnOptions();
    switch (data[0] % 3) {
        case 0:
            o.setIEOption(O::IE_Stereonet_File);
            o.setDefaultStereonetInputColumnChoices();
            o.setColumnDelim(K::Space_Delim | K::Tab_Delim);
            break;
        case 1:
            o.setIEOption(O::IE_FaultKin_File);
            o.setDefaultFaultKinInputColumnChoices();
            break;
        default:
            o.setIEOption(O::IE_DXF_Text);
            o.setDXFColumnChoices();
            break;
    }
    const unsigned char id = s.read(content, o);
    if (id != 0) {
        O stereonet;
        stereonet.setIEOption(O::IE_Stereonet_File);
        s.write(id, stereonet);
        O faultKin;
        faultKin.setIEOption(O::IE_FaultKin_File);
        s.write(id, faultKin);
    }
    return 0;
}
