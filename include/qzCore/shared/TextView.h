// A stream buffer over text already in memory (a file read whole): an
// std::istream on it reads the text where it lies, without a copy, and the
// file readers take whole lines from it directly rather than a character
// at a time.
#ifndef QZCORE_SHARED_TEXTVIEW_H
#define QZCORE_SHARED_TEXTVIEW_H

#include <cstddef>
#include <streambuf>
#include <string>

namespace qzCore {

class TextView final : public std::streambuf {
public:
    /// Reads `text`, which must outlive the view and stay unchanged.
    explicit TextView(const std::string& text) : TextView(text.data(), text.size()) {}
    TextView(const char* text, std::size_t size) {
        // The get area is never written through: the const_cast only meets
        // the interface of std::streambuf.
        char* begin = const_cast<char*>(text);
        setg(begin, begin, begin + size);
    }

    /// The text not yet read, [next(), end()).
    const char* next() const { return gptr(); }
    const char* end() const { return egptr(); }
    /// Passes over `n` characters (at most what is left).
    void skip(std::size_t n) {
        const std::size_t left = static_cast<std::size_t>(egptr() - gptr());
        const std::size_t step = n < left ? n : left;
        setg(eback(), gptr() + step, egptr());
    }
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_TEXTVIEW_H
