// What the facade refuses and what fails in it.
//
// Two kinds, because a host answers them differently: a request the
// facade refuses before doing anything (an unknown format, a column word
// nobody knows, a class size of 25 degrees) is the caller's to correct;
// a request that ran and found nothing to give (no data the analysis
// takes, a file that cannot be opened) carries the library's error code
// (qzCore/errors/ErrorCodes.h), as the published classes report it.
#ifndef QZCORE_FACADE_FAILURES_H
#define QZCORE_FACADE_FAILURES_H

#include "qzCore/Export.h"

#include <stdexcept>
#include <string>

namespace qzCore {
namespace facade {

/// A parameter or option the facade will not take: the field (named as
/// qz names its option, without the dashes: "count", "class-size",
/// "columns"; Python spells it with an underscore) and what it
/// takes instead ("takes 3 to 500 nodes a side, not 2").  what() is the
/// two together; a host names the field as its user knows it (qz's
/// "--count", Python's "count=").
class QZCORE_EXPORT Refused : public std::invalid_argument {
public:
    Refused(const std::string& field, const std::string& text)
        : std::invalid_argument(field + " " + text), field_(field), text_(text) {}
    const std::string& field() const noexcept { return field_; }
    const std::string& text() const noexcept { return text_; }

private:
    std::string field_, text_;
};

/// A request that ran and failed: the library's error code (negative) and
/// its message, with LF line ends; `hint` says, where it can, what would
/// select the data the request needs (in qz's options: --faults,
/// --lineations); `output`, what it found on the way (P and T axes fault
/// by fault, each skipped with its reason); `field`, the parameter whose
/// request failed where one did ("pt": the P and T axes drawn over a
/// stereonet), named as Refused names fields.
class QZCORE_EXPORT Failed : public std::runtime_error {
public:
    Failed(int code, const std::string& message, std::string hint = std::string(), std::string output = std::string())
        : std::runtime_error(message), code_(code), hint_(std::move(hint)), output_(std::move(output)) {}
    int code() const noexcept { return code_; }
    const std::string& hint() const noexcept { return hint_; }
    const std::string& output() const noexcept { return output_; }
    const std::string& field() const noexcept { return field_; }
    /// This failure, of the request `field`.
    Failed& of(std::string field) {
        field_ = std::move(field);
        return *this;
    }

private:
    int code_;
    std::string hint_, output_, field_;
};

}  // namespace facade
}  // namespace qzCore

#endif  // QZCORE_FACADE_FAILURES_H
