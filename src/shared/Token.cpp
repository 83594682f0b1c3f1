#include "qzCore/shared/Token.h"
#include "shared/DecimalText.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "qzCore/shared/MyMath.h"

namespace qzCore {

namespace {

/// The text without leading and trailing blanks, as [begin, end).
void trimmed(const std::string& s, std::size_t& b, std::size_t& e) {
    b = 0;
    e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
}

bool isDecimalNumber(const std::string& s, std::size_t b, std::size_t e) {
    std::size_t i = b;
    if (i < e && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < e && std::isdigit(static_cast<unsigned char>(s[i]))) { ++i; ++digits; }
    if (i < e && s[i] == '.') {
        ++i;
        while (i < e && std::isdigit(static_cast<unsigned char>(s[i]))) { ++i; ++digits; }
    }
    if (digits == 0) return false;
    if (i < e && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < e && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < e && std::isdigit(static_cast<unsigned char>(s[i]))) { ++i; ++expDigits; }
        if (expDigits == 0) return false;
    }
    return i == e;
}

}  // namespace

void Token::set(int value) { m_text = std::to_string(value); }

void Token::set(double value, int format) {
    if (!std::isfinite(value)) {
        m_text.clear();
        return;
    }
    if (format == Whole_Number) {
        set(FloatToInt_Global(value));
        return;
    }
    // The shortest text that reads back as the same double, as a plain
    // decimal when that is short ("1000000", "0.0001"), else with an
    // exponent ("1e+300").
    if (value == 0.0) value = 0.0;  // no "-0", which readers take for no number
    char buf[400];
    const auto plain = detail::decimalToChars(buf, buf + sizeof buf, value, true);
    if (plain.ec == std::errc() && std::size_t(plain.ptr - buf) <= Max_Plain_Length) {
        m_text.assign(buf, plain.ptr);
        return;
    }
    const auto res = detail::decimalToChars(buf, buf + sizeof buf, value, false);
    m_text.assign(buf, res.ptr);
}

bool Token::couldBeNumber() const {
    std::size_t b = 0, e = 0;
    trimmed(m_text, b, e);
    return isDecimalNumber(m_text, b, e);
}

bool Token::get(double& value) const {
    std::size_t b = 0, e = 0;
    trimmed(m_text, b, e);
    if (!isDecimalNumber(m_text, b, e)) return false;
    // from_chars reads '.' as the decimal point whatever the locale; it
    // takes no leading '+'.
    if (m_text[b] == '+') ++b;
    double v = 0.0;
    const auto r = detail::decimalFromChars(m_text.data() + b, m_text.data() + e, v);
    if (r.ec != std::errc() || r.ptr != m_text.data() + e || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool Token::get(int& value) const {
    std::size_t b = 0, e = 0;
    trimmed(m_text, b, e);
    std::size_t i = b;
    if (i < e && m_text[i] == '+') {
        ++i;
        if (i < e && m_text[i] == '-') return false;
    }
    int v = 0;
    const auto res = std::from_chars(m_text.data() + i, m_text.data() + e, v);
    if (res.ec != std::errc() || res.ptr != m_text.data() + e || i == e) return false;
    value = v;
    return true;
}

void TokenList::reset() {
    for (std::size_t i = 0; i < m_used; ++i) m_tokens[i].reset();
    m_used = 0;
}

Token* TokenList::slot(std::size_t index) {
    if (index >= m_tokens.size()) return nullptr;
    if (index >= m_used) m_used = index + 1;
    return &m_tokens[index];
}

bool TokenList::set(std::size_t index, const std::string& text) {
    Token* t = slot(index);
    if (t) t->set(text);
    return t != nullptr;
}

bool TokenList::set(std::size_t index, const char* text) {
    Token* t = slot(index);
    if (t) t->set(text);
    return t != nullptr;
}

bool TokenList::set(std::size_t index, const char* text, std::size_t length) {
    Token* t = slot(index);
    if (t) t->set(text, length);
    return t != nullptr;
}

std::size_t TokenList::numNonVoidTokens() const {
    std::size_t n = 0;
    for (std::size_t i = 0; i < m_used; ++i) n += m_tokens[i].isVoid() ? 0 : 1;
    return n;
}

}  // namespace qzCore
