// Any bytes as typed text, and any eight bytes as a double: the reading never
// gives NaN, the cell number is the nearest (halves to even) held inside
// 1..7, and a written number reads back to itself. Blanks inserted anywhere and a stop character appended
// change nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "divisor_calculator.h"

namespace {

using kestrami::CellIndex;
using kestrami::NumberText;
using kestrami::TextValue;

void Require(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

bool Same(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

void CheckNumber(double x)
{
    const int cell = CellIndex(x);
    Require(cell >= 1 && cell <= 7);
    // Inside the range: the nearest cell, halves to the even one.
    Require(!(x > 1 && x < 7) || cell == std::nearbyint(x));
    if (!std::isfinite(x)) {
        return;
    }
    const std::string text = NumberText(x);
    Require(!text.empty() && text.find_first_not_of("-.0123456789") == std::string::npos);
    // Every finite value, whole or not, reads back exactly; -0 is written "0".
    Require(TextValue(text) == x);
    if (x == std::floor(x)) {
        Require(text.find('.') == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double v = TextValue(text);
    Require(!std::isnan(v));
    CheckNumber(v);

    std::string spread;
    for (const char c : text) {
        spread += c;
        spread += c == 'x' ? '\t' : ' ';
    }
    Require(Same(TextValue("\n" + spread), v));
    Require(Same(TextValue(std::string(text) + ","), v));

    if (size >= sizeof(double)) {
        double x;
        std::memcpy(&x, data, sizeof x);
        CheckNumber(x);
    }
    return 0;
}
