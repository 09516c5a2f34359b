#pragma once
// Checking the text of command-line arguments: every bad argument becomes one line that names
// it, and the command exits with code 2; a value the model cannot take exits with code 1.

#include <string>
#include <vector>

namespace qdx::cli {

struct ArgumentError {
    std::string message;
};

// A value the model could not take (an option whose grid row faulted): the command fails with
// exit code 1 and this one-line message.
struct ModelError {
    std::string message;
};

// A finite number; with nonNegative, refuses values below 0.
double ParseNumberArg(const std::string& text, const std::string& argument,
                      bool nonNegative = false);
// A whole number from lo to hi.
long long ParseIntegerArg(const std::string& text, const std::string& argument, long long lo,
                          long long hi);
// Comma-separated parts, blanks kept.
std::vector<std::string> SplitCommas(const std::string& text);

// A number for JSON output with 17 significant digits; null when it is not finite.
std::string JsonNumber(double v);
void AppendJsonNumber(std::string& out, double v);
// A JSON string literal.
std::string JsonString(const std::string& text);

}  // namespace qdx::cli
