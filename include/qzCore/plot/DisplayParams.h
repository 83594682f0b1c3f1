// Settings of the host's windows, shared by plot and data-table displays.
#ifndef QZCORE_PLOT_DISPLAYPARAMS_H
#define QZCORE_PLOT_DISPLAYPARAMS_H

#include "qzCore/Export.h"

namespace qzCore {

class QZCORE_EXPORT DisplayParams {
public:
    DisplayParams() { init(); }
    virtual ~DisplayParams() = default;
    DisplayParams(const DisplayParams&) = default;
    DisplayParams& operator=(const DisplayParams&) = default;

    bool getQueryOnClose() const { return m_queryOnClose; }
    void setQueryOnClose(bool on) { m_queryOnClose = on; }
    friend bool operator==(const DisplayParams& a, const DisplayParams& b) {
        return a.m_queryOnClose == b.m_queryOnClose;
    }

protected:
    /// Query on close true.
    void init() { m_queryOnClose = true; }

private:
    bool m_queryOnClose = true;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_DISPLAYPARAMS_H
