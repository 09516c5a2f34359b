#pragma once
// The two exceptions the core raises across layers.

#include <stdexcept>
#include <string>

namespace qdx {

// A text that should hold a number (or a format and its arguments) could not be converted.
// Callers that read typed input catch it and fall back or report.
class ConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A floating-point fault in a calculation: a division by zero, an overflow or an invalid
// operation that would otherwise give a non-finite value.
class CalcError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws CalcError when v is not finite; returns v otherwise.
double CheckFinite(double v, const char* what = "Invalid floating point operation");

}  // namespace qdx
