// The library's error codes: the contract with hosts, stored in reports
// and returned by operations.  Each code has a name and a message on one
// line of the table below, so code, name and text cannot drift apart.
// Messages: the first line names the operation, the rest (after a line
// feed) the detail.  Codes are negative; 1 means success where functions
// return a code.
#ifndef QZCORE_ERRORS_ERRORCODES_H
#define QZCORE_ERRORS_ERRORCODES_H

namespace qzCore {

// clang-format off
#define QZCORE_ERROR_CODES(X) \
    /* Input values */ \
    X(Invalid_Dip,                -1, "Error on input value\nInvalid dip value") \
    X(Invalid_Dip_Direction,      -2, "Error on input value\nInvalid dip direction") \
    X(Invalid_Rake,               -3, "Error on input value\nInvalid rake value") \
    X(Invalid_Rake_Direction,     -4, "Error on input value\nInvalid rake direction") \
    X(Invalid_Strike,             -5, "Error on input value\nInvalid strike value") \
    X(Invalid_Input_Value,        -6, "Error on input value\nError interpreting input value") \
    /* Files */ \
    X(File_Write_Error,           -7, "General file writing error") \
    X(Unhandled_Save_Error,       -8, "General file writing error\nUnhandled save error") \
    X(File_Read_Error,            -9, "General file reading error") \
    X(Unhandled_Read_Error,      -10, "General file reading error\nUnhandled read error") \
    X(File_Parser_Failed,        -11, "Internal error\nFailed to initialise fileparser") \
    X(Missing_Input_Value,       -12, "Error on input value\nMissing input value") \
    X(Parsing_Incomplete,        -13, "Error on input value\nFailed to complete parsing input.") \
    X(Input_File_Error,          -14, "Error interpreting input file") \
    X(Emitter_Failed,            -15, "Internal error\nFailed to initialise Emitter") \
    X(Dataset_Creation_Failed,   -16, "Internal error\nDataset creation failed") \
    X(Invalid_Plunge,            -17, "Error on input value\nError interpreting plunge value") \
    X(Null_Input_Line,           -18, "Error on input value\nNull input line") \
    X(Too_Many_Input_Values,     -19, "Error on input value\nToo many input parameters") \
    X(Invalid_Trend_Plunge,      -20, "Error on input value\nError interpreting trend and/or plunge value") \
    X(Null_Input_Values,         -21, "Error on input value\nNull input values") \
    X(Plot_Failed,               -22, "Internal error\nError generating plot") \
    X(Too_Many_Datasets,         -23, "Error creating/opening dataset\nToo many open datasets") \
    X(Rotation_Failed,           -24, "Internal error\nError applying rotation") \
    /* Attributes */ \
    X(Attribute_Label_Too_Long,  -25, "Error creating new data attribute\nAttribute label too long") \
    X(Too_Many_Attributes,       -26, "Error creating new data attribute\nToo many existing attributes") \
    X(Empty_Attribute_Label,     -27, "Error creating new data attribute\nZero length attribute label") \
    X(Attribute_Index_Out_Of_Range, -28, "Internal attribute error\nTable index out of range") \
    X(Duplicate_Attribute_Label, -29, "Error creating new data attribute\nDuplicate attribute label") \
    X(Report_Buffer_Exceeded,    -30, "Error generating error report\nInternal buffer size exceeded") \
    X(Unknown_File_Format,       -31, "Error opening input file\nUnknown file format") \
    /* Analyses */ \
    X(No_Data_To_Analyse,        -32, "Error analysing data\nNo data to analyse") \
    X(Too_Many_Objects,          -33, "Error analysing data\nToo many objects to analyse\nAngle between two objects only") \
    X(Objects_Not_Same_Type,     -34, "Error analysing data\nObjects to analyse are not the same type") \
    X(Rake_With_Trend_Plunge,    -35, "Error on input value\nCannot have rake value with trend & plunge") \
    X(Invalid_Attribute,         -36, "Internal error creating or using attribute\nInvalid attribute") \
    X(Insert_Failed,             -37, "Error creating dataset\nError inserting new data") \
    X(Bad_Fault_Data,            -38, "Error on input value\nIncorrect data for type <fault>") \
    X(Bad_Line_Data,             -39, "Error on input value\nIncorrect data for type <line>") \
    X(Bad_Plane_Data,            -40, "Error on input value\nIncorrect data for type <plane>") \
    X(Modify_Failed,             -41, "Error modifying data") \
    X(Invalid_Trend,             -42, "Error on input value\nError interpreting trend value") \
    X(Invalid_Slip,              -43, "Error on input value\nError interpreting slip direction") \
    X(Too_Many_Groups,           -44, "Error creating attribute group\nToo many attribute groups") \
    X(Empty_Group_Name,          -45, "Error creating attribute group\nZero length group name") \
    X(Duplicate_Group_Name,      -46, "Error creating attribute group\nDuplicate group name") \
    X(Unknown_Group,             -47, "Error with attribute group\nUnknown group name") \
    X(Invalid_Dataset_Id,        -48, "Internal data manager error\nInvalid dataset id") \
    X(No_Data_Fit_Criteria,      -49, "Error limiting data by criteria\nNo data fit selection criteria") \
    X(Early_Beta_File,           -50, "File created with early Quarzel Beta\nUse old version of Quarzel to open and resave as text") \
    X(Bad_Location,              -51, "Error parsing location\nPlease use northing/easting location or equivalent") \
    X(Objects_Do_Not_Intersect,  -52, "Error analysing data\nThese objects do not intersect") \
    X(No_Intersection_Of_Lines,  -53, "Error analysing data\nCannot compute intersection for lines") \
    X(Analyser_Failed,           -54, "Error analysing data\nInternal analyser failure") \
    X(UStage_Axes_Skew,          -55, "Error creating UStage data\nAxes not perpendicular +- 5 degrees") \
    X(Bad_Mineral,               -56, "Error with mineral definition\nCheck percentage, type, etc.") \
    X(Line_Too_Long,             -57, "Error on input value\nLine too long") \
    X(Nul_In_Line,               -58, "Error on input value\nNUL character in line (UTF-16 text? Save it as UTF-8)") \
    X(Invalid_MD,                -59, "Error on input value\nError interpreting md value") \
    X(Bad_FaultKin_File,         -60, "Error importing FaultKin\nPlease verify that this is a valid FaultKin file") \
    X(Bad_Stereonet_File,        -61, "Error importing Stereonet\nPlease verify that this is a valid Stereonet file") \
    X(Internal_Error,            -62, "General Internal Error...sorry!\nPlease save and exit program\nSend bug report please!") \
    X(Comment_Too_Long,          -63, "Error on input value\nComment longer than 255 characters") \
    /* Field files of other tools: rows refused, and remarks on rows loaded */ \
    X(Unknown_Slip_Sense,        -64, "Error on input value\nUnknown sense of slip. Accepted, in any case: normal, norm, n; reverse, rev, thrust; dextral, right-lateral, rl, rlat; sinistral, left-lateral, ll, llat; two of them joined (dextral_normal, normal-sinistral); FaultKin's TL, TR, NL, NR; +1 (hanging wall down the slip line) and -1 (up); N_side_up, SW_side_down (the side that moved)") \
    X(Ambiguous_Slip_Word,       -65, "Sense of slip ambiguous\nThe word names no one sense on this fault (R is reverse in some tools and right-lateral in others; a side up or down says nothing on a vertical plane or for a side along the strike); loaded without a sense (Ambig)") \
    X(Slip_Sign_On_Horizontal_Line, -66, "Sense of slip ambiguous\n+1 or -1 says whether the hanging wall moved down or up its slip line, and this slip line is horizontal; loaded without a sense (Ambig)") \
    X(Contradictory_Slip_Sense,  -67, "Sense of slip ambiguous\nThe two senses given do not make one movement on this fault (they contradict each other on its slip line, or it has no slip line); loaded without a sense (Ambig)") \
    X(Comment_Reads_As_Data,     -68, "Comment line read as data?\nThis line begins with '#' but reads as a complete data row; it was not loaded (a station id such as #12 loads when quoted: \"#12\")") \
    X(Bad_Normal_Vector,         -69, "Error on input value\nA normal vector needs three numbers, not all zero") \
    X(Too_Few_Faults,            -70, "Error analysing data\nAt least four faults with a usable sense of slip are needed") \
    X(Stress_Unconstrained,      -71, "Error analysing data\nThe faults do not constrain the stress (planes parallel, or too few distinct orientations)")
// clang-format on

/// The error codes by name (qzCore::Error::Invalid_Dataset_Id is -48):
/// plain ints, as operations return them and readers throw them.
namespace Error {
#define QZCORE_ERROR_CONSTANT(name, code, text) constexpr int name = code;
QZCORE_ERROR_CODES(QZCORE_ERROR_CONSTANT)
#undef QZCORE_ERROR_CONSTANT
}  // namespace Error

namespace detail {
constexpr int Registered_Codes[] = {
#define QZCORE_ERROR_VALUE(name, code, text) code,
    QZCORE_ERROR_CODES(QZCORE_ERROR_VALUE)
#undef QZCORE_ERROR_VALUE
};
constexpr int lowestRegisteredCode() {
    int lowest = 0;
    for (const int c : Registered_Codes) lowest = c < lowest ? c : lowest;
    return lowest;
}
}  // namespace detail

/// The lowest code of the table: codes below it are none of the library's.
constexpr int Lowest_Error_Code = detail::lowestRegisteredCode();

}  // namespace qzCore

#endif  // QZCORE_ERRORS_ERRORCODES_H
