// The binary dataset file reader, every version.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using O = qzCore::qzIEColumnOptions;
    const std::string content(reinterpret_cast<const char*>(data), size);
    qzfuzz::Session s;
    O o;
    o.setDefaultColumnOptions();
    o.setIEOption(O::IE_Binary_File);
    o.setDefaultBinaryColumnChoices();
    const unsigned char id = s.read(content, o);
    if (id != 0) {
        O binary;
        binary.setIEOption(O::IE_Binary_File);
        s.write(id, binary);
    }
    return 0;
}
