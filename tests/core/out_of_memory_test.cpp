// Running out of memory in the middle of an operation: the list and the band
// stay as they were, and a save that cannot build its block is a failed save.
// Allocations from a given size on are made to fail by replacing the global
// operator new for this executable.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <new>
#include <string>

#include "divisor_calculator.h"
#include "test_support.h"

namespace {

std::atomic<std::size_t> g_failing_from{std::numeric_limits<std::size_t>::max()};

}  // namespace

// The replacements allocate with malloc and free with free; the compiler,
// seeing operator new and free meet, would warn of a mismatch that is none.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    if (size >= g_failing_from) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace kestrami {
namespace {

// Allocations of this many bytes or more fail while it lives.
class FailingAllocations {
public:
    explicit FailingAllocations(std::size_t from) { g_failing_from = from; }
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
    ~FailingAllocations() { g_failing_from = std::numeric_limits<std::size_t>::max(); }
};

constexpr std::size_t kLong = 100000;

struct MemoryCase {
    const char* name;
    void (*operation)(DivisorCalculator&);
    bool throws;
};
void PrintTo(const MemoryCase& c, std::ostream* os)
{
    *os << c.name;
}

class OutOfMemoryTest : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(OutOfMemoryTest, KeepsTheListAndTheBand)
{
    const MemoryCase& c = GetParam();
    test::TempFolder folder;
    DivisorCalculator calc = test::Started(Band::Full);
    test::Keys(calc, "4351250E4385000E");
    calc.WriteCell(1, std::string(kLong / 2, '4'));
    const auto lines = calc.Results().Lines();
    const auto generation = calc.Results().Generation();

    bool thrown = false;
    {
        const FailingAllocations failing(kLong / 4);
        try {
            c.operation(calc);
        } catch (const std::bad_alloc&) {
            thrown = true;
        }
    }
    EXPECT_EQ(thrown, c.throws);
    EXPECT_EQ(calc.Results().Lines(), lines);
    EXPECT_EQ(calc.Results().Generation(), generation);
    EXPECT_FALSE(calc.IsHam());
    test::ExpectCursorConsistent(calc);
}

INSTANTIATE_TEST_SUITE_P(
    Operations, OutOfMemoryTest,
    ::testing::Values(MemoryCase{"Enter", [](DivisorCalculator& calc) { calc.EnterFrequency(); }, true},
                      MemoryCase{"TypeIntoACell",
                                 [](DivisorCalculator& calc) { calc.WriteCell(2, std::string(kLong, '3')); },
                                 true},
                      MemoryCase{"Keys", [](DivisorCalculator& calc) { test::Keys(calc, "4<C"); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OutOfMemory, ASaveThatCannotBuildItsBlockFailsAndKeepsTheList)
{
    test::TempFolder folder;
    DivisorCalculator calc = test::Started(Band::Ham);
    for (int i = 0; i < 2000; ++i) {
        test::Keys(calc, "4351250E");
    }
    const auto lines = calc.Results().Lines();
    SaveOutcome outcome;
    {
        const FailingAllocations failing(ResultsBlock(lines).size());
        outcome = calc.SaveResults({folder.path()});
    }
    EXPECT_EQ(outcome.status, SaveOutcome::Status::Failed);
    EXPECT_EQ(outcome.reason, std::make_error_code(std::errc::not_enough_memory).message());
    EXPECT_EQ(calc.Results().Lines(), lines);
    EXPECT_FALSE(std::filesystem::exists(folder.File("Kestrami.txt")));
    EXPECT_EQ(calc.SaveResults({folder.path()}).status, SaveOutcome::Status::Saved);
}

}  // namespace
}  // namespace kestrami
