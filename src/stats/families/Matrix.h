#pragma once

#include <span>

#include "stats/StatClass.h"

// Matrix columns and rows (group 4): the numbers 1..48 laid out row by row in
// a matrix of MatrixCols columns — which columns and rows a draw occupies, how
// many numbers each holds, how many are occupied, the pattern of occupied
// ones, the columns and rows holding adjacent numbers, tuples of the columns
// or rows of several positions and the count in one column or row.
namespace corvel {

// Column and row of a number for a matrix width of at least 1.
constexpr int MatrixColumnOf(int n, int cols) { return (n - 1) % cols + 1; }
constexpr int MatrixRowOf(int n, int cols) { return (n - 1) / cols + 1; }

// The family's class rows in registration order.
std::span<const TStatClass> MatrixClasses();

}  // namespace corvel
