#pragma once
// A resizable matrix of doubles, column by row, zero-filled on allocation.

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace qdx {

class TFloatMat {
public:
    void Allocate(int columns, int rows) {
        columns_ = columns;
        rows_ = rows;
        data_.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), 0.0);
    }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    bool Empty() const { return data_.empty(); }
    double& At(int column, int row) { return data_.at(Index(column, row)); }
    double At(int column, int row) const { return data_.at(Index(column, row)); }

private:
    size_t Index(int column, int row) const {
        if (column < 0 || row < 0 || column >= columns_ || row >= rows_)
            throw std::out_of_range("matrix index out of range");
        return static_cast<size_t>(row) * static_cast<size_t>(columns_) + static_cast<size_t>(column);
    }
    int columns_ = 0;
    int rows_ = 0;
    std::vector<double> data_;
};

}  // namespace qdx
