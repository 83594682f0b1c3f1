// The stress that drove a population of faults, from their planes and the
// slip of their hanging walls (the Wallace 1951 – Bott 1959 hypothesis:
// each fault slips along the shear traction resolved on its plane).
//
// Conventions.  Vectors north, east, down.  A fault is its unit normal n
// pointing into the hanging wall (upward; for a vertical plane towards its
// dip direction, strike + 90 by the right-hand rule) and the unit slip s
// of the hanging wall, in the plane.  Stresses are compression positive:
// sigma1 >= sigma2 >= sigma3, sigma1 the most compressive, and the shape
// ratio Phi = (sigma2 - sigma3) / (sigma1 - sigma3), 0 (sigma2 = sigma3,
// prolate) to 1 (sigma2 = sigma1, oblate).  The hanging wall slips along
// the shear traction of the tension-positive tensor T = -sigma on n:
// tau(T, n) = T n - (n.T n) n; so under a vertical sigma1 the hanging wall
// of an inclined fault slips down its dip (a normal fault) and under a
// horizontal sigma1 across its strike up it (a reverse fault).  Only the
// deviatoric part is found: a tensor of five unknowns (T11, T12, T13, T22,
// T23; T33 = -T11 - T22), reported reduced (sigma1 = 1, sigma2 = Phi,
// sigma3 = 0).
//
//  * Michael (1984): the linear least squares of tau(T, n_i) = s_i, every
//    fault's shear traction of one magnitude (1), so the tensor's size is
//    set by the data; the misfit of a fault is the angle between s and
//    tau (0 to 180 degrees).  Confidence by bootstrap: the faults
//    resampled with replacement (a seeded generator), each sample
//    inverted; reported as the angle about each solution axis holding 95%
//    of the samples' axes and the 2.5 to 97.5 percentiles of Phi.
//  * After Angelier (1990), the direct inversion: the same vector
//    difference sum |tau_i - lambda s_i|^2, but with the shear magnitude
//    lambda a free unknown common to the faults and the tensor normalised
//    (the deviatoric tensor's Frobenius norm fixed), minimised exactly as
//    the smallest generalised eigenvector; its misfit per fault is
//    Angelier's upsilon |tau_i / lambda - s_i| (0 to 2).  Where the two
//    differ: Michael's fixed magnitude lets faults that are badly oriented
//    for shear (small tau) pull the tensor to raise their traction;
//    Angelier's common free magnitude weighs each fault by its vector
//    misfit at the population's shear level.  On data that fit one
//    tensor with equal shear magnitudes both are exact.
//  * Right dihedra (Angelier and Mechler 1977): a direction d lies in a
//    fault's compressional dihedra when (d.n)(d.s) < 0 and in its
//    extensional ones when > 0; the share of faults compressional at d, 0
//    to 1, is largest about sigma1 (P) and smallest about sigma3 (T).
//  * Slip and dilation tendency (Morris et al. 1996): Ts = tau / sigma_n
//    and Td = (sigma1 - sigma_n) / (sigma1 - sigma3) of a plane under a
//    stress of given magnitudes.
#ifndef QZCORE_ANALYSIS_PALEOSTRESS_H
#define QZCORE_ANALYSIS_PALEOSTRESS_H

#include "qzCore/Export.h"

#include <array>
#include <string>
#include <vector>

namespace qzCore {

/// A vector of three doubles (north, east, down).
using Vec3 = std::array<double, 3>;

/// A fault as the inversions take it (see the file comment).
struct QZCORE_EXPORT FaultSlip {
    Vec3 normal{0.0, 0.0, -1.0};
    Vec3 slip{1.0, 0.0, 0.0};
};

/// The fault of right-hand-rule strike and dip (degrees) whose hanging wall
/// slips along (trend, plunge) when `along` and against it otherwise (the
/// slip line is first projected onto the plane).
QZCORE_EXPORT FaultSlip faultSlip(double strike, double dip, double trend, double plunge, bool along);

/// A principal direction, degrees, lower hemisphere.
struct QZCORE_EXPORT Axis {
    double trend = 0.0, plunge = 0.0;
};

struct QZCORE_EXPORT StressState {
    /// sigma1, sigma2, sigma3 (most compressive first).
    std::array<Axis, 3> axes;
    double phi = 0.0;
    /// The reduced tensor (sigma1 = 1, sigma3 = 0), compression positive,
    /// north-east-down, row by row.
    std::array<double, 9> tensor{};
};

enum class StressMethod { Michael, Angelier };

struct QZCORE_EXPORT StressOptions {
    StressMethod method = StressMethod::Michael;
    /// Bootstrap samples, 0 to Max_Bootstrap; the generator's seed.
    int bootstrap = 0;
    unsigned long seed = 1;
    /// Leave out the faults whose misfit angle exceeds this (degrees) and
    /// invert the rest again, until none more is left out or after
    /// Max_Rounds inversions; 0: keep every fault.
    double maxMisfit = 0.0;

    /// Refine the shear magnitudes: after the inversion with one
    /// magnitude for every fault, take each fault's magnitude from the
    /// solution and invert again, to a fixed point (see the file comment).
    /// False: the published methods alone.
    bool refine = true;

    static constexpr int Max_Bootstrap = 100000;
    static constexpr int Max_Rounds = 10;
    static constexpr int Min_Faults = 4;
};

/// Why an inversion gives no stress.
enum class StressFailure { None, Too_Few_Faults, Unconstrained, All_Left_Out };
QZCORE_EXPORT const char* stressFailureText(StressFailure f);

struct QZCORE_EXPORT StressInversion {
    StressFailure failure = StressFailure::None;
    StressState state;
    /// Per fault given, in order: the misfit angle between its slip and
    /// the predicted shear (degrees; 90 where the stress resolves no shear
    /// on its plane), Angelier's upsilon, and the normal and shear stress
    /// on its plane under the reduced tensor (0 to 1).
    std::vector<double> misfit, upsilon, normalStress, shearStress;
    /// Faults the misfit rule left out, and inversions run.
    std::vector<bool> leftOut;
    int rounds = 0;
    /// With bootstrap: each sample's state, the 95% cone (degrees) about
    /// each axis, and Phi's 2.5 and 97.5 percentiles.
    std::vector<StressState> samples;
    std::array<double, 3> cone95{};
    double phiLow = 0.0, phiHigh = 0.0;
};

QZCORE_EXPORT StressInversion invertStress(const std::vector<FaultSlip>& faults, const StressOptions& options = {});

/// The reduced state of principal directions (unit vectors, sigma1 first)
/// and shape ratio phi.
QZCORE_EXPORT StressState stressState(const std::array<Vec3, 3>& directions, double phi);
/// Normal and shear stress of the reduced tensor on the plane of unit
/// normal n.
QZCORE_EXPORT void planeStress(const StressState& s, const Vec3& n, double& normal, double& shear);

/// The share of faults (0 to 1) whose compressional dihedra hold the
/// direction d (unit vector).
QZCORE_EXPORT double compressionalShare(const std::vector<FaultSlip>& faults, const Vec3& d);

/// Slip tendency tau / sigma_n and dilation tendency
/// (sigma1 - sigma_n) / (sigma1 - sigma3) of the plane of unit normal n
/// under principal stresses of magnitudes m (m[0] >= m[1] >= m[2] > 0,
/// compression positive) along `state`'s axes.
QZCORE_EXPORT void tendencies(const StressState& state, const std::array<double, 3>& m, const Vec3& n,
                              double& slip, double& dilation);

}  // namespace qzCore

#endif  // QZCORE_ANALYSIS_PALEOSTRESS_H
