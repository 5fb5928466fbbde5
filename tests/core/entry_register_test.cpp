#include <gtest/gtest.h>

#include "divisor_calculator.h"

namespace kestrami {
namespace {

TEST(EntryRegister, Smoke)
{
    DivisorCalculator calc;
    calc.StartUp();
    for (char d : std::string("4351250"))
        calc.PressDigit(d);
    calc.EnterFrequency();
    ASSERT_EQ(calc.Results().Count(), 3u);
    EXPECT_EQ(calc.Results().Line(2), "Fo=435.1250  n=5620");
}

}  // namespace
}  // namespace kestrami
