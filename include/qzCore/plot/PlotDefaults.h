// Constants shared by the plot engines and their parameters.
#ifndef QZCORE_PLOT_PLOTDEFAULTS_H
#define QZCORE_PLOT_PLOTDEFAULTS_H

#include "qzCore/Export.h"

namespace qzCore {

/// Which store, and which insert operation, a record goes to.
enum Plot_Data_Type : int {
    Plot_Fault = 0,
    Plot_Line = 1,
    Plot_Lineation = 2,
    Plot_Plane = 3,
    Plot_Special = 4
};

/// How planes and faults are plotted: as the plane itself (its great
/// circle on a stereonet), as the pole, or as the dip direction (the
/// downward line of steepest dip).
enum Planar_Plot_Style : int {
    Planar_Great_Circle = 0,
    Planar_Pole = 1,
    Planar_Dip_Direction = 2
};

struct QZCORE_EXPORT qzPlotDefaults {
    static constexpr int Default_Plot_Size = 400;         ///< diameter, device units
    static constexpr int Default_Plot_Half_Width = 200;
    static constexpr int Plot_Frame_Offset = 22;          ///< top-left margin, device units
    static constexpr int Default_Plot_Window_Delta_X = 50;
    static constexpr int Default_Plot_Window_Delta_Y = 65;
    static constexpr int Max_Dip_For_Arc_Plot = 87;       ///< steeper planes draw as straight lines
    static constexpr int Default_Line_Width = 1;
    static constexpr int Default_Fault_Symbol = 2;
    static constexpr int Default_Highlight_Symbol = 7;
    static constexpr int Default_Plane_Symbol = 6;
    static constexpr int Default_Line_Symbol = 3;
    static constexpr int Default_Lineation_Symbol = 0;
    static constexpr int Default_Special_Symbol = 1;
    static constexpr int Default_Plot_Symbol_Size = 3;
    static constexpr int Default_Larger_Plot_Symbol_Size = 5;
    static constexpr float Default_Plot_Tick_Size = 5.0f;
    static constexpr int Num_Valid_Plot_Symbols = 11;
    static constexpr int Num_Valid_Plot_Symbol_Sizes = 10;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_PLOTDEFAULTS_H
