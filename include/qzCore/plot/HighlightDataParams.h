// What highlighting records in a plot does with them.
#ifndef QZCORE_PLOT_HIGHLIGHTDATAPARAMS_H
#define QZCORE_PLOT_HIGHLIGHTDATAPARAMS_H

#include "qzCore/Export.h"

namespace qzCore {

class QZCORE_EXPORT HighlightDataParams {
public:
    bool getUseAllDisplays() const { return m_allDisplays; }
    void setUseAllDisplays(bool on) { m_allDisplays = on; }
    bool getCreateNewDataset() const { return m_newDataset; }
    void setCreateNewDataset(bool on) { m_newDataset = on; }

private:
    bool m_allDisplays = true;
    bool m_newDataset = true;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_HIGHLIGHTDATAPARAMS_H
