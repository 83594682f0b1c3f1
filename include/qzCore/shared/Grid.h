// A rectangular grid of values, e.g. the density grid of a contoured
// stereonet.  Copies are deep.
#ifndef QZCORE_SHARED_GRID_H
#define QZCORE_SHARED_GRID_H

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace qzCore {

template <typename T>
class Grid {
public:
    Grid() = default;
    /// @param rows, cols sizes; the cells start at `init`.
    Grid(std::size_t rows, std::size_t cols, const T& init = T())
        : m_rows(rows), m_cols(cols), m_cells(checkedSize(rows, cols), init) {}

    std::size_t rows() const { return m_rows; }
    std::size_t cols() const { return m_cols; }
    bool empty() const { return m_cells.empty(); }

    /// Unchecked access, row first.
    T& operator()(std::size_t r, std::size_t c) { return m_cells[r * m_cols + c]; }
    const T& operator()(std::size_t r, std::size_t c) const { return m_cells[r * m_cols + c]; }
    /// Checked access.  @throw std::out_of_range
    T& at(std::size_t r, std::size_t c) {
        if (r >= m_rows || c >= m_cols) throw std::out_of_range("Grid index");
        return (*this)(r, c);
    }
    const T& at(std::size_t r, std::size_t c) const {
        if (r >= m_rows || c >= m_cols) throw std::out_of_range("Grid index");
        return (*this)(r, c);
    }

    void fill(const T& v) { std::fill(m_cells.begin(), m_cells.end(), v); }
    /// The largest value; T() for an empty grid.
    T maxValue() const {
        return m_cells.empty() ? T() : *std::max_element(m_cells.begin(), m_cells.end());
    }

    friend bool operator==(const Grid& a, const Grid& b) {
        return a.m_rows == b.m_rows && a.m_cols == b.m_cols && a.m_cells == b.m_cells;
    }

private:
    static std::size_t checkedSize(std::size_t rows, std::size_t cols) {
        if (cols != 0 && rows > static_cast<std::size_t>(-1) / cols) throw std::length_error("Grid size");
        return rows * cols;
    }

    std::size_t m_rows = 0;
    std::size_t m_cols = 0;
    std::vector<T> m_cells;
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_GRID_H
