#include "qzCore/shared/DESolverParams.h"

namespace qzCore {

DESolverParams::DESolverParams(const std::vector<float>& lower, const std::vector<float>& upper,
                               int dimensions, int generations, int population, double scale,
                               double probability)
    : m_lower(lower),
      m_upper(upper),
      m_dimensions(dimensions),
      m_generations(generations),
      m_population(population),
      m_scale(scale),
      m_probability(probability) {}

bool operator==(const DESolverParams& a, const DESolverParams& b) {
    return a.m_lower == b.m_lower && a.m_upper == b.m_upper && a.m_dimensions == b.m_dimensions &&
           a.m_generations == b.m_generations && a.m_population == b.m_population &&
           a.m_scale == b.m_scale && a.m_probability == b.m_probability &&
           a.m_strategy == b.m_strategy && a.m_log == b.m_log &&
           a.m_logFileName == b.m_logFileName && a.m_seed == b.m_seed;
}

double RandomGenerator::GenerateRandom(long& seed) {
    if (seed < 0 || !m_started) {
        // -LONG_MIN does not fit a long: fold it onto a valid value first.
        const unsigned long start = seed < 0 ? 0UL - static_cast<unsigned long>(seed)
                                             : static_cast<unsigned long>(seed);
        m_engine.seed(start);
        m_started = true;
        seed = 0;
    }
    seed = seed == 0x7fffffffL ? 1 : seed + 1;
    // The top 53 bits as a fraction: exactly uniform on [0, 1).
    return static_cast<double>(m_engine() >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace qzCore
