// Counting orientations around a direction: the kernels of the counting
// methods, how their sums become densities, and a counter that finds the
// data near a direction without visiting the rest.
//
// Records are whole degrees, so however many there are, at most 32,760
// distinct directions exist (360 trends x 90 plunges, and the vertical).
// The counter keeps each once with its summed weight, in rows by plunge
// sorted by trend; a query visits only the rows and trend windows a
// counting cone can reach.  Every datum is kept twice, as itself and as its
// opposite (the same axis), so one signed cone about a node also catches
// the data near the node's antipode across the primitive.
#ifndef QZCORE_SRC_PLOT_DENSITYCOUNTER_H
#define QZCORE_SRC_PLOT_DENSITYCOUNTER_H

#include <array>
#include <cstddef>
#include <vector>

#include "qzCore/plot/ContourParams.h"
#include "qzCore/plot/DensityGrid.h"

namespace qzCore {
namespace density {

/// A unit vector (north, east, down).
using Vec3 = std::array<double, 3>;

/// The direction of (trend, plunge), degrees; a negative plunge points up.
Vec3 unitOf(double trend, double plunge);
inline double dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

/// The weight of a datum at cosine x (0..1, the axes' |cos|) from a node.
struct Kernel {
    enum Shape { Step, Linear, Square, Exponential };
    Shape shape = Step;
    /// Step, Linear, Square: the cosine of the counting cone's half angle.
    double a = 1.0;
    /// Linear, Square: the factor that makes the mean weight over the
    /// sphere equal the cone's share of it; Exponential: k.
    double c = 1.0;
    /// Data at a cosine below this weigh nothing (Step, Linear, Square: a)
    /// or too little to matter (Exponential, see ExponCut); -1 for none.
    double cut = 1.0;

    double weight(double x) const;
};

/// How raw sums become densities: (sum - offset) / sigma.
struct Normalisation {
    Kernel kernel;
    double sigma = 0.0;
    double offset = 0.0;
    bool percent = false;
    /// The levels drawn ("Seismic" draws 1, 2, 3, ...).
    double start = 0.0;
    double interval = 0.0;
};

/// Error allowed for cutting the exponential kernel short, in the units
/// of the density (sigma or percent): far below anything a contour shows.
constexpr double Expon_Truncation = 1e-6;

/// The kernel and normaliser of a set-up for n data of total weight n;
/// anything but Drawn means no density.
ContourOutcome normalisationOf(const ContourParams& params, double n, Normalisation& out);

/// One whole-degree direction with its weight (a count, or a count
/// compensated for sampling bias).
struct Datum {
    int trend;
    int plunge;
    double weight;
};

class Counter {
public:
    /// Trends are taken modulo 360; plunges outside 0..90 are skipped.
    explicit Counter(const std::vector<Datum>& data);

    double total() const { return m_total; }
    std::size_t distinct() const { return m_all.size(); }
    /// Distinct direction `i` (0..distinct()): its unit vector.
    const Vec3& direction(std::size_t i) const { return m_all[i].v; }
    bool empty() const { return m_all.empty(); }

    /// Sum of weight(|q . d|) x w over the data d with |q . d| >= the
    /// kernel's cut.  @param q a unit vector.
    double sum(const Vec3& q, const Kernel& kernel) const;

private:
    struct Entry {
        Vec3 v;
        double w;
        int trend;
    };
    double bruteSum(const Vec3& q, const Kernel& kernel) const;
    void addRange(const std::vector<Entry>& row, const std::array<int, 361>& first, int lo, int hi, const Vec3& q,
                  const Kernel& kernel, double& s) const;

    static constexpr int Rows = 181;  // plunge -90..90
    std::vector<Entry> m_all;         // distinct directions, as given
    std::vector<std::vector<Entry>> m_rows;
    std::vector<std::array<int, 361>> m_first;  // first entry of each row with trend >= t
    double m_total = 0.0;
};

}  // namespace density
}  // namespace qzCore

#endif  // QZCORE_SRC_PLOT_DENSITYCOUNTER_H
