// Small text helpers of the facade's messages.
#ifndef QZCORE_SRC_FACADE_WORDS_H
#define QZCORE_SRC_FACADE_WORDS_H

#include <string>
#include <vector>

namespace qzCore {
namespace facade {
namespace detail {

/// "a, b or c".
inline std::string listed(const std::vector<std::string>& words) {
    std::string out;
    for (std::size_t i = 0; i < words.size(); ++i) {
        out += (i == 0 ? "" : i + 1 == words.size() ? " or " : ", ") + words[i];
    }
    return out;
}

}  // namespace detail
}  // namespace facade
}  // namespace qzCore

#endif  // QZCORE_SRC_FACADE_WORDS_H
