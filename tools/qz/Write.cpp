// Writing a dataset in the format an output file's extension (or --to)
// names.
#include <fstream>
#include <iostream>

#include "Common.h"

namespace qz {

int write(Loaded& l, unsigned char id, const std::string& name, const std::string& to) {
    try {
        const qzCore::WriteOutcome w = qzCore::facade::writeDataset(l.manager(), id, name, to);
        std::cout << "qz: wrote " << w.written << " records to " << name;
        if (w.leftOut > 0) std::cout << " (" << w.leftOut << " that the format cannot hold left out)";
        std::cout << '\n';
        return 0;
    } catch (const qzCore::facade::Refused& r) {
        return refused(r) ? 0 : 1;
    } catch (const qzCore::facade::Failed& f) {
        std::cerr << "qz: " << f.what() << '\n';
        return 1;
    }
}

}  // namespace qz
