#include "qzCore/Version.h"

namespace qzCore {

const char* libraryVersion() { return QZCORE_VERSION_STRING; }

}  // namespace qzCore
