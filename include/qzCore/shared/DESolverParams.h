// Settings of the differential-evolution solver, and its random numbers.
#ifndef QZCORE_SHARED_DESOLVERPARAMS_H
#define QZCORE_SHARED_DESOLVERPARAMS_H

#include "qzCore/Export.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace qzCore {

/// The strategies of differential evolution, all with exponential crossover.
enum DE_Strategy : int {
    DE_Best_1 = 0,
    DE_Rand_1 = 1,
    DE_Rand_To_Best_1 = 2,
    DE_Best_2 = 3,
    DE_Rand_2 = 4
};

/// Bounds, sizes and rates of one differential-evolution run.
class QZCORE_EXPORT DESolverParams {
public:
    /// The strategy a new record holds: rand/1, the robust classic choice.
    static constexpr int Default_Strategy = DE_Rand_1;

    /// @param lower, upper bounds per dimension (the shorter list decides
    ///   how many dimensions are bounded).
    /// @param dimensions number of unknowns (>= 1).
    /// @param generations number of generations (>= 1).
    /// @param population number of members (>= 4; rand/2 needs 6).
    /// @param scale the difference weight F (0..2).
    /// @param probability the crossover probability CR (0..1).
    DESolverParams(const std::vector<float>& lower, const std::vector<float>& upper, int dimensions,
                   int generations, int population, double scale, double probability);

    const std::vector<float>& getLowerBounds() const { return m_lower; }
    const std::vector<float>& getUpperBounds() const { return m_upper; }
    void setBounds(const std::vector<float>& lower, const std::vector<float>& upper) {
        m_lower = lower;
        m_upper = upper;
    }
    int getDimensions() const { return m_dimensions; }
    int getGenerations() const { return m_generations; }
    int getPopulation() const { return m_population; }
    double getScale() const { return m_scale; }
    double getProbability() const { return m_probability; }
    void setGenerations(int g) { m_generations = g; }
    void setPopulation(int p) { m_population = p; }
    void setScale(double f) { m_scale = f; }
    void setProbability(double cr) { m_probability = cr; }

    int getStrategy() const { return m_strategy; }
    void setStrategy(int s) { m_strategy = s; }

    bool getLogFlag() const { return m_log; }
    void setLogFlag(bool on) { m_log = on; }
    const std::string& getLogFileName() const { return m_logFileName; }
    void setLogFileName(const std::string& name) { m_logFileName = name; }

    /// Seed of the run: 0 (the default) means the negative of the current
    /// time in seconds; any other value is used as given (a negative value
    /// starts a fresh sequence), which makes runs repeatable.
    long getSeed() const { return m_seed; }
    void setSeed(long seed) { m_seed = seed; }

    friend bool operator==(const DESolverParams& a, const DESolverParams& b);

private:
    std::vector<float> m_lower;
    std::vector<float> m_upper;
    int m_dimensions;
    int m_generations;
    int m_population;
    double m_scale;
    double m_probability;
    int m_strategy = Default_Strategy;
    bool m_log = false;
    std::string m_logFileName;
    long m_seed = 0;
};

/// Uniform random numbers in [0, 1) driven by a caller-held seed, in the
/// convention of the classic recipes: a negative seed (re)starts the
/// sequence from that value; every draw leaves a positive seed that counts
/// the draws since.  The numbers come from a 64-bit Mersenne Twister, so a
/// given negative seed always yields the same sequence on every host.
class QZCORE_EXPORT RandomGenerator {
public:
    RandomGenerator() = default;
    double GenerateRandom(long& seed);

private:
    std::mt19937_64 m_engine{5489u};
    bool m_started = false;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_DESOLVERPARAMS_H
