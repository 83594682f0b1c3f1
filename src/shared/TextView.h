// A stream buffer over text already in memory (a file read whole): an
// std::istream on it reads the text where it lies, without a copy, and the
// file readers take whole lines from it directly rather than a character
// at a time.  It reads forward only (it cannot seek).
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
        if (m_releasing && static_cast<std::size_t>(gptr() - m_released) >= Release_Step) giveBack();
    }

    /// From here on, the memory of text already read is given back to the
    /// system as the reader goes on (whole pages, a megabyte at a time), so
    /// that a large file read whole costs a megabyte rather than its size
    /// while its rows become records.  Only for text the caller owns, reads
    /// once in order and drops afterwards: what has been read then reads as
    /// zeros.
    void releaseBehind() {
        m_releasing = true;
        m_released = gptr();
    }

    /// Text passed over before memory is given back, bytes.
    static constexpr std::size_t Release_Step = std::size_t(1) << 20;

private:
    void giveBack();

    bool m_releasing = false;
    const char* m_released = nullptr;  // given back up to here (rounded to pages)
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_TEXTVIEW_H
