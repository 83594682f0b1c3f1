// What a drawing throws when it fails inside (out of memory, say): an
// error code of the library's table with its message.
#ifndef QZCORE_PLOT_PLOTERROR_H
#define QZCORE_PLOT_PLOTERROR_H

#include <stdexcept>

namespace qzCore {

class PlotError : public std::runtime_error {
public:
    /// -62, "General Internal Error...": a drawing that could not finish.
    static constexpr int Internal_Error = -62;

    /// @param code a code of the error table; its message is the what().
    explicit PlotError(int code);
    int code() const { return m_code; }

private:
    int m_code;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_PLOTERROR_H
