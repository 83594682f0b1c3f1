// Orientation geometry: direction cosines, planes and poles, rotations,
// eigen solution, projection radii and random directions.
//
// Conventions, used throughout the library:
//  * Angles at the interface are degrees.  Azimuths (strike, trend, dip
//    direction) are clockwise from north; results are given in [0, 360).
//  * Planes follow the right-hand rule: the dip direction is strike + 90.
//    Strike 0..360, dip 0..90.
//  * Lines are the downward-pointing direction: trend 0..360, plunge 0..90.
//    A line is axial, so an upward vector is reported as its opposite.
//  * The pole of a plane is its downward (lower-hemisphere) normal: a plane
//    dipping 30 towards 090 (strike 0) has its pole at 270/60.
//  * Direction cosines are taken in a right-handed north-east-down frame:
//    x = cos(plunge)cos(trend) (north), y = cos(plunge)sin(trend) (east),
//    z = sin(plunge) (down).
//  * A positive rotation about an axis turns clockwise when seen looking
//    along the axis (the right-hand rule about the axis vector).  About the
//    vertical axis (000/90) a positive rotation adds to the trend.
#ifndef QZCORE_SHARED_MYMATH_H
#define QZCORE_SHARED_MYMATH_H

#include "qzCore/Export.h"

#include <array>
#include <cstdint>
#include <list>
#include <random>

#include "qzCore/shared/Points.h"

namespace NEWMAT {
class SymmetricMatrix;
}

namespace qzCore {

/// Rounds to the nearest int; exact halves go away from zero (2.5 -> 3,
/// -2.5 -> -3), as a geologist rounding a reading by hand would.  NaN gives
/// 0 and values beyond the int range are clamped to INT_MIN / INT_MAX so that
/// no text, however long, can make the conversion undefined.
QZCORE_EXPORT int FloatToInt_Global(double value);

/// A direction or vector of three doubles (north, east, down).
class QZCORE_EXPORT Matrix_1 {
public:
    /// The zero vector.
    Matrix_1() = default;
    /// Unit vector of a line.  @param trend degrees, any value.
    /// @param plunge degrees, positive downward (-90..90).
    Matrix_1(double trend, double plunge);
    /// A vector from its three components.
    Matrix_1(double x, double y, double z) : m_v{x, y, z} {}
    /// The unit vector of a line in whole degrees (trend 0..360, plunge
    /// 0..90), from a table worked out once; other values are computed.
    static Matrix_1 wholeDegrees(int trend, int plunge);
    /// The table entry of wholeDegrees; null outside the table.
    static const Matrix_1* wholeDegreesEntry(int trend, int plunge);

    /// Replaces the vector by its trend and plunge (degrees) in elements 0
    /// and 1, element 2 becoming 0.  The vector is first turned downward
    /// (see trendPlunge).
    void convertFromDC();
    /// Trend [0, 360) and plunge [0, 90] of the line along this vector.  An
    /// upward vector gives the opposite, downward line; a vector within
    /// Horizontal_Tolerance of horizontal keeps its own azimuth, so a
    /// computed horizontal axis does not flip on rounding noise.  The zero
    /// vector gives 0/0.
    void convertFromDC(double& trend, double& plunge) const;

    double dotProduct(const Matrix_1& o) const;
    Matrix_1 crossProduct(const Matrix_1& o) const;
    /// Angle between the two vectors in degrees, 0..180 (0 if either is zero).
    double vectorAngle(const Matrix_1& o) const;
    double length() const;
    /// Scales to unit length; false (and unchanged) for the zero vector.
    bool normalize();
    void scale(double s);
    void reset() { m_v = {0.0, 0.0, 0.0}; }

    double& operator[](std::size_t i) { return m_v[i]; }
    double operator[](std::size_t i) const { return m_v[i]; }
    Matrix_1 operator+(const Matrix_1& o) const;
    Matrix_1 operator-(const Matrix_1& o) const;
    Matrix_1& operator+=(const Matrix_1& o);

    /// A vertical component smaller than this is taken as horizontal when
    /// deciding whether to turn a vector downward (about 2e-10 degrees).
    static constexpr double Horizontal_Tolerance = 1e-12;

private:
    std::array<double, 3> m_v{0.0, 0.0, 0.0};
};

/// Matrix_1 by what it is: a direction-cosine 3-vector (north, east,
/// down).
using Vector3 = Matrix_1;

/// A 3 x 3 matrix of doubles, row index first.
class QZCORE_EXPORT Matrix_3 {
public:
    Matrix_3() = default;

    void reset();
    double getMat(std::size_t row, std::size_t col) const { return m_m[row][col]; }
    void setMat(std::size_t row, std::size_t col, double value) { m_m[row][col] = value; }
    Matrix_1 getColumn(std::size_t col) const;
    /// Makes the matrix symmetric from its upper triangle (row <= column),
    /// as addToCharMatrix fills it.
    void copyUpperToLower() {
        m_m[1][0] = m_m[0][1];
        m_m[2][0] = m_m[0][2];
        m_m[2][1] = m_m[1][2];
    }
    /// Becomes the rotation by `degrees` about the horizontal north-south
    /// axis (the plot's y axis), positive by the right-hand rule about north.
    void yRotate(double degrees);
    /// Becomes the rotation by `degrees` about the unit vector `axis`.
    void axisRotate(const Matrix_1& axis, double degrees);
    Matrix_1 operator*(const Matrix_1& v) const;

private:
    std::array<std::array<double, 3>, 3> m_m{};
};

/// Matrix_3 by what it is: a 3 x 3 matrix of doubles.
using Matrix3x3 = Matrix_3;

/// Which axis MyMath::initRotate turns about.
enum ThreeD_Rotation_Axis : int {
    Rotation_Axis_Trend_Plunge = 0,  ///< the axis given by trend and plunge
    Rotation_Axis_North_South = 1,   ///< horizontal, 000/00
    Rotation_Axis_East_West = 2,     ///< horizontal, 090/00
    Rotation_Axis_Vertical = 3       ///< 000/90
};

/// The geometry operations of the library.  An object carries the prepared
/// rotation of initRotate and a random-number engine; everything else is
/// stateless.
class QZCORE_EXPORT MyMath {
public:
    static constexpr double Pi = 3.14159265358979323846;
    static constexpr double Deg_To_Rad = Pi / 180.0;
    static constexpr double Rad_To_Deg = 180.0 / Pi;

    /// Cheap to make: the random engine is seeded from the clock on its
    /// first use unless seedRandom was called first.
    MyMath();

    // ---- planes, poles and azimuths (in place) ----------------------------

    /// (strike, dip) -> (trend, plunge) of the lower-hemisphere pole:
    /// trend = strike + 270 (mod 360), plunge = 90 - dip.
    /// @param a strike in, trend out.  @param b dip (0..90) in, plunge out.
    void computePole(int& a, int& b) const;
    void computePole(float& a, float& b) const;
    void computePole(double& a, double& b) const;
    /// Inverse of computePole: (trend, plunge) of a pole -> (strike, dip),
    /// strike = trend + 90 (mod 360), dip = 90 - plunge.
    void computePlaneFromPole(int& a, int& b) const;
    void computePlaneFromPole(float& a, float& b) const;
    void computePlaneFromPole(double& a, double& b) const;
    /// Dip direction -> right-hand-rule strike: azimuth - 90 (mod 360).
    void computeStrikeFromDipDir(int& azimuth) const;
    void computeStrikeFromDipDir(float& azimuth) const;
    void computeStrikeFromDipDir(double& azimuth) const;
    /// Strike -> dip direction: azimuth + 90 (mod 360).
    void computeDipDir(int& azimuth) const;
    void computeDipDir(float& azimuth) const;
    void computeDipDir(double& azimuth) const;
    /// The opposite azimuth, azimuth + 180 (mod 360): where a lower-hemisphere
    /// orientation plots in the upper hemisphere.
    void computeUpperHem(int& azimuth) const;
    void computeUpperHem(float& azimuth) const;
    void computeUpperHem(double& azimuth) const;

    /// An azimuth (degrees, any value) turned into [0, 360).
    static double wrapAzimuth(double azimuth);
    static int wrapAzimuth(int azimuth);
    /// An azimuth rounded to whole degrees (FloatToInt_Global) and turned
    /// into 0..359: 359.6 gives 0, -0.4 gives 0.
    static int wholeAzimuth(double azimuth);

    // ---- slip lines on planes ---------------------------------------------

    /// Trend and plunge of the line at `rake` on a plane.  The rake is
    /// measured in the plane from the strike direction towards the dip
    /// direction, 0..180 (90 is straight down dip).
    void computeTrendPlunge(int strike, int dip, int rake, int& trend, int& plunge) const;
    void computeTrendPlunge(double strike, double dip, double rake, double& trend,
                            double& plunge) const;
    /// Rake (0..180) from the strike direction of the line (trend, plunge):
    /// the angle between the line and the horizontal line along the strike.
    /// A line plunging away from the dip side of the strike line (more than
    /// Plane_Side_Tolerance) lies on no plane of that strike and gives -1.
    /// @return the rake, also written to `rake`.
    int computeRakeFromTP(int strike, int trend, int plunge, int& rake) const;
    double computeRakeFromTP(double strike, double trend, double plunge, double& rake) const;

    /// sin(1 degree): whole-degree rounding of a trend and plunge can move a
    /// line about one degree off its plane, so a line that far on the wrong
    /// side of the strike line is still taken as lying on the plane.
    static constexpr double Plane_Side_Tolerance = 0.0174524064;

    // ---- rotations ----------------------------------------------------------

    /// Prepares a rotation of `angle` degrees (positive clockwise looking
    /// along the axis) about the axis named by `axis`; trend and plunge are
    /// read only for Rotation_Axis_Trend_Plunge.
    void initRotate(ThreeD_Rotation_Axis axis, double trend, double plunge, double angle);
    /// Rotates a line by the prepared rotation; the result is the downward
    /// line, rounded to whole degrees in the int form.
    void threeDRotate(int& trend, int& plunge) const;
    void threeDRotate(double& trend, double& plunge) const;
    /// Rotates the vector `v` in place by `angle` degrees about the axis
    /// (trend, plunge); the vector keeps its sense (no turning downward).
    void threeDRotate(Matrix_1& v, double angle, double trend, double plunge) const;

    /// Angle in whole degrees (0..180) between two objects: with `planar`
    /// the arguments are (strike, dip) pairs and the angle is that between
    /// their poles; otherwise (trend, plunge) pairs of lines.
    int computeAngleBetweenObjects(int a1, int b1, int a2, int b2, bool planar) const;

    // ---- matrices -------------------------------------------------------------

    /// Adds the outer product v vT to the upper triangle (row <= column) of m.
    void addToCharMatrix(Matrix_3& m, const Matrix_1& v) const;
    /// Eigen solution of a symmetric matrix (a Matrix_3 is read from its
    /// upper triangle, row <= column; a newmat SymmetricMatrix of size 3).  Eigenvectors are the
    /// columns of `vectors`, unit length, eigenvalues the elements of
    /// `values`, by decreasing eigenvalue.  False when the matrix is not 3 x 3
    /// or holds a value that is not finite, or the solver fails.
    bool computeEigen(const Matrix_3& m, Matrix_3& vectors, Matrix_1& values) const;
    bool computeEigen(const NEWMAT::SymmetricMatrix& m, Matrix_3& vectors, Matrix_1& values) const;

    // ---- random numbers -------------------------------------------------------

    /// Reseeds from the clock.
    void seedRandom();
    /// Reseeds with a fixed value, for repeatable runs.
    void seedRandom(std::uint32_t seed);
    /// Uniform in [0, 1].
    double random();
    /// Uniform whole number in [0, n - 1]; 0 when n < 1.
    int random(int n);
    /// A line drawn from the Fisher distribution about the seed line
    /// (seedTrend, seedPlunge) with concentration `kappa` (> 0; larger is
    /// tighter: 63% of the lines lie within about 81/sqrt(kappa) degrees of
    /// the seed).  kappa <= 0 gives lines uniform over the sphere.  Sampled
    /// by inverting the Fisher (1953) distribution of the angle from the
    /// mean; the result is the downward line in whole degrees.
    void generatePointInDist(int seedTrend, int seedPlunge, double kappa, int& trend, int& plunge);

    // ---- projections and plot helpers ----------------------------------------

    /// Stereographic radius on a unit primitive: tan((90 - plunge) / 2).
    /// 1 at plunge 0, 0 at plunge 90.  @param plunge degrees.
    double computeEqualAngleRadius(double plunge) const;
    /// Lambert equal-area radius on a unit primitive: sqrt(2) sin((90 - plunge) / 2).
    double computeEqualAreaRadius(double plunge) const;
    /// Points (trend, plunge) along the lower-hemisphere trace of a plane,
    /// from the strike end (rake 0) to the opposite end (rake 180), appended
    /// to `points`.  @param step degrees of rake between points; <= 0 means
    /// Default_Great_Circle_Step.
    void computeGreatCircle(double strike, double dip, std::list<TwoDPoint<float>>& points,
                            double step) const;
    static constexpr double Default_Great_Circle_Step = 2.0;
    /// A device point (y growing downward) on a plot of primitive radius
    /// `radius` centred at `center` -> (trend, plunge), in place.  With
    /// `lowerHem` false the trend is turned to the upper hemisphere.  False
    /// (point unchanged) when the point lies outside the primitive or the
    /// radius is not positive.
    bool convertPointToTP(double radius, const TwoDPoint<int>& center, TwoDPoint<double>& point,
                          bool lowerHem, bool equalArea) const;
    bool convertPointToTP(double radius, const TwoDPoint<int>& center, TwoDPoint<float>& point,
                          bool lowerHem, bool equalArea) const;
    bool convertPointToTP(double radius, const TwoDPoint<int>& center, TwoDPoint<int>& point,
                          bool lowerHem, bool equalArea) const;
    double distance(const TwoDPoint<double>& a, const TwoDPoint<double>& b) const;
    double distance(const TwoDPoint<float>& a, const TwoDPoint<float>& b) const;
    /// Crossings of the level through the four edges of a grid cell.
    /// Corners go round the cell: 0 -> 1 -> 2 -> 3 -> 0; edge k joins corner
    /// k and corner (k + 1) % 4.  An edge is crossed when one end is below
    /// the level and the other at or above it; the crossing is found by
    /// linear interpolation and is the same whichever cell asks for a shared
    /// edge.  @return bit k (value 1, 2, 4, 8) set for each crossed edge.
    int gridInterpolate(const std::array<TwoDPoint<double>, 4>& corners,
                        const std::array<double, 4>& values, double level,
                        std::array<TwoDPoint<double>, 4>& crossings) const;
    /// Azimuth in degrees [0, 360) of a point in plot units (x east, y north),
    /// clockwise from north; 0 at the origin.
    double angleFromNorth(const TwoDPoint<float>& p) const;
    double angleFromNorth(const TwoDPoint<double>& p) const;
    /// Turns a plot vector counter-clockwise by `radians` (x east, y north),
    /// so a negative angle turns it clockwise, towards greater azimuth.
    void rotate(TwoDPoint<float>& v, double radians) const;
    void rotate(TwoDPoint<double>& v, double radians) const;

private:
    Matrix_3 m_rotation;
    std::mt19937 m_engine;
    bool m_seeded = false;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_MYMATH_H
