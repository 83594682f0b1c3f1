// Text tokens: one field of a file row, and a row of them addressed by
// column index.
#ifndef QZCORE_SHARED_TOKEN_H
#define QZCORE_SHARED_TOKEN_H

#include "qzCore/Export.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qzCore {

/// One field of text.  A token is void when it holds no characters.
class QZCORE_EXPORT Token {
public:
    Token() = default;
    explicit Token(const std::string& text) : m_text(text) {}

    /// Formats of set(double, format).
    enum Double_Format : int {
        Whole_Number = 0,  ///< rounded to the nearest whole number ("1524")
        Exact = 1          ///< shortest text that reads back as the same double:
                           ///< a plain decimal up to Max_Plain_Length characters
                           ///< ("512345.67", "1000000", "0.0001"), else with an
                           ///< exponent ("1e+300"); never padded
    };
    /// Longest plain decimal set(double, Exact) writes.
    static constexpr std::size_t Max_Plain_Length = 24;

    void set(const char* text) { m_text = text ? text : ""; }
    void set(const std::string& text) { m_text = text; }
    /// The `length` characters at `text` (which may hold NUL bytes).
    void set(const char* text, std::size_t length) { m_text.assign(text, length); }
    /// Decimal text of an integer ("%d").
    void set(int value);
    /// Text of a double; see Double_Format.  A value that is not finite
    /// gives a void token.
    void set(double value, int format);
    void reset() { m_text.clear(); }

    bool isVoid() const { return m_text.empty(); }
    const std::string& str() const { return m_text; }
    const char* c_str() const { return m_text.c_str(); }
    std::size_t size() const { return m_text.size(); }

    /// True when the whole text, without surrounding blanks, is a decimal
    /// number: optional sign, digits with an optional decimal point, an
    /// optional exponent.  "inf", "nan" and hexadecimal forms are not numbers.
    bool couldBeNumber() const;
    /// Reads the number (see couldBeNumber); false and unchanged otherwise.
    bool get(double& value) const;
    /// Reads a whole number that fits an int; false and unchanged otherwise.
    bool get(int& value) const;

    friend bool operator==(const Token& a, const Token& b) { return a.m_text == b.m_text; }

private:
    std::string m_text;
};

/// A row of tokens with a fixed number of columns.
class QZCORE_EXPORT TokenList {
public:
    explicit TokenList(std::size_t capacity = 20) : m_tokens(capacity) {}

    std::size_t capacity() const { return m_tokens.size(); }
    /// Voids every token.
    void reset();
    /// The token of column `index`.  @throw std::out_of_range beyond the capacity.
    Token& operator[](std::size_t index) {
        Token& t = m_tokens.at(index);
        if (index >= m_used) m_used = index + 1;
        return t;
    }
    const Token& operator[](std::size_t index) const { return m_tokens.at(index); }
    /// Sets column `index`; false when the index is beyond the capacity.
    bool set(std::size_t index, const std::string& text);
    bool set(std::size_t index, const char* text);
    bool set(std::size_t index, const char* text, std::size_t length);
    /// The text of column `index`, or null when it is void or beyond the
    /// capacity.
    const std::string* textAt(std::size_t index) const {
        if (index >= m_used) return nullptr;
        const std::string& s = m_tokens[index].str();
        return s.empty() ? nullptr : &s;
    }
    /// Number of tokens that are not void.
    std::size_t numNonVoidTokens() const;
    /// Columns at and beyond this one are void.
    std::size_t used() const { return m_used; }

private:
    /// The token of column `index`, counted as used; null beyond the
    /// capacity.
    Token* slot(std::size_t index);

    std::vector<Token> m_tokens;
    // Tokens at and beyond m_used are void: reset and counting stop there
    // (a row of a file sets a few of the columns the list has room for).
    std::size_t m_used = 0;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_TOKEN_H
