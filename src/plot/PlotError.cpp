#include "qzCore/plot/PlotError.h"

#include "qzCore/errors/ErrorManager.h"

namespace qzCore {

PlotError::PlotError(int code) : std::runtime_error(ErrorManager().getMessage(code)), m_code(code) {}

}  // namespace qzCore
