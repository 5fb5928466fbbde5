// The three conversions between text and numbers that the core uses.
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "divisor_calculator.h"
#include "rounding.h"

namespace kestrami {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

double TextValue(std::string_view text)
{
    bool negative = false;
    bool sign_read = false;
    bool point_read = false;
    std::string whole;
    std::string fraction;

    for (const char c : text) {
        if (IsBlank(c)) {
            continue;
        }
        if (IsDigit(c)) {
            (point_read ? fraction : whole).push_back(c);
        } else if (c == '.' && !point_read) {
            point_read = true;
        } else if ((c == '+' || c == '-') && !sign_read && !point_read && whole.empty()) {
            sign_read = true;
            negative = c == '-';
        } else {
            break;
        }
    }
    if (whole.empty() && fraction.empty()) {
        return 0.0;
    }

    // from_chars reads "." and the digits the same way in every locale and
    // rounds correctly however many digits there are.
    std::string number = whole.empty() ? "0" : whole;
    number += '.';
    number += fraction.empty() ? "0" : fraction;
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (error == std::errc::result_out_of_range) {
        // Too large, or so small that it underflows: an integer part with any
        // digit other than 0 can only be the former.
        const bool too_large = whole.find_first_not_of('0') != std::string::npos;
        value = too_large ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

double RoundHalfEven(double x)
{
    if (!std::isfinite(x)) {
        return x;
    }
    const double below = std::floor(x);
    const double rest = x - below;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        return below + 1.0;
    }
    return below;
}

int CellIndex(double x)
{
    // Clamp before converting: a double outside int's range must never reach
    // the conversion. NaN fails both comparisons and goes to cell 1.
    if (!(x > 1.0)) {
        return 1;
    }
    if (x >= EntryRegister::kCells) {
        return EntryRegister::kCells;
    }
    return static_cast<int>(RoundHalfEven(x));
}

std::string NumberText(double x)
{
    if (x == 0.0) {
        return "0";  // also for -0, which is not negative
    }
    // Fixed notation writes whole numbers as plain digits (never "1e+16") and
    // anything else in the shortest form that reads back to the same double.
    char buffer[std::numeric_limits<double>::max_exponent10 + 32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
    if (error != std::errc{}) {
        return "0";  // cannot happen: the buffer holds the longest double
    }
    return std::string(buffer, end);
}

}  // namespace kestrami
