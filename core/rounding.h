// Rounding to the nearest whole number, exact halves to the even neighbour.
#pragma once

namespace kestrami {

// Infinities come back unchanged.
double RoundHalfEven(double x);

}  // namespace kestrami
