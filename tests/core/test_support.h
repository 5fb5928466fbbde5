// Helpers shared by the core tests: keying, reading the register back as
// short texts, the integer division number, temporary folders, whole files,
// and the system's error numbers and words.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <system_error>
#endif

#include "divisor_calculator.h"

namespace kestrami::test {

// '0'..'9' digit keys, '<' the "<--" key, 'C' CE, 'E' ENTER.
inline void Keys(DivisorCalculator& calc, std::string_view keys)
{
    for (const char key : keys) {
        if (key == '<') {
            calc.StepBack();
        } else if (key == 'C') {
            calc.ClearEntry();
        } else if (key == 'E') {
            calc.EnterFrequency();
        } else {
            calc.PressDigit(key);
        }
    }
}

// The seven cells joined: "4351250" after keying those digits.
inline std::string CellsOf(const DivisorCalculator& calc)
{
    std::string cells;
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        cells += calc.Entry().Cell(i);
    }
    return cells;
}

// The numbers of the marked cells: "1" at start, "" when none is marked.
inline std::string MarksOf(const DivisorCalculator& calc)
{
    std::string marks;
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        marks += calc.Entry().Mark(i) ? std::to_string(i) : "";
    }
    return marks;
}

// What holds after every operation: cursor value in 1..7, exactly the cell
// equal to it marked (a value that is not whole marks none).
inline void ExpectCursorConsistent(const DivisorCalculator& calc)
{
    const double v = TextValue(calc.Entry().Cursor());
    EXPECT_TRUE(v >= 1 && v <= 7) << "cursor \"" << calc.Entry().Cursor() << "\"";
    std::string marks;
    for (int i = 1; i <= EntryRegister::kCells; ++i) {
        marks += v == i ? std::to_string(i) : "";
    }
    EXPECT_EQ(MarksOf(calc), marks) << "cursor \"" << calc.Entry().Cursor() << "\"";
}

inline void ExpectStartState(const DivisorCalculator& calc)
{
    EXPECT_EQ(CellsOf(calc), "0000000");
    EXPECT_EQ(calc.Entry().Cursor(), "1");
    EXPECT_EQ(MarksOf(calc), "1");
}

// The division number of a keyed "ddddddd" (ddd.dddd MHz, at least 400) in
// integers: k counts 0.0001 MHz above 400 and a step is 62.5 counts, so
// n = k * 16 / 1000 rounded; k * 16 mod 1000 is never 500, so no tie.
inline long long KeyedDivisor(long long code)
{
    return ((code - 4000000) * 16 + 500) / 1000;
}

// The blocks a save of the HAM list appends after 435.1250 MHz, and after
// 438.5000 MHz as well.
inline const std::string kHamOne = "HAM Range:\r\n430-440 MHz\r\nFo=435.1250  n=5620\r\n\r\n \r\n";
inline const std::string kHamTwo =
    "HAM Range:\r\n430-440 MHz\r\nFo=435.1250  n=5620\r\nFo=438.5000  n=6160\r\n\r\n \r\n";

inline DivisorCalculator Started(Band band)
{
    DivisorCalculator calc;
    calc.StartUp();
    if (band != Band::Ham) {
        calc.SelectBand(band);
    }
    return calc;
}

// The core's paths are bytes on POSIX and UTF-8 on Windows, where a plain
// std::string would go through the ANSI code page.
inline std::filesystem::path PathOf(const std::string& path)
{
#ifdef _WIN32
    return std::u8string(path.begin(), path.end());
#else
    return path;
#endif
}

inline std::string TextOf(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
#else
    return path.string();
#endif
}

// The error numbers of the failures the tests make, as this system names
// them, and the words its core gives for one.
#ifdef _WIN32
inline constexpr int kNoSuchFolderError = ERROR_PATH_NOT_FOUND;
inline constexpr int kNotAFolderError = ERROR_PATH_NOT_FOUND;
inline constexpr int kDiskFullError = ERROR_DISK_FULL;
inline constexpr int kTooLargeError = ERROR_FILE_TOO_LARGE;
inline constexpr int kReadOnlyError = ERROR_WRITE_PROTECT;
inline constexpr int kInvalidError = ERROR_INVALID_FUNCTION;
inline constexpr int kIoError = ERROR_IO_DEVICE;
inline constexpr int kDeniedError = ERROR_ACCESS_DENIED;

inline std::string SystemReason(int error)
{
    wchar_t text[512];
    DWORD size = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(error), 0, text, 512, nullptr);
    while (size > 0 && (text[size - 1] == L'\r' || text[size - 1] == L'\n' || text[size - 1] == L' ')) {
        --size;
    }
    size -= size > 0 && text[size - 1] == L'.' ? 1 : 0;
    if (size == 0) {
        return "Unknown error " + std::to_string(error);
    }
    const std::u8string utf8 = std::filesystem::path(std::wstring(text, size)).u8string();
    return {utf8.begin(), utf8.end()};
}
#else
inline constexpr int kNoSuchFolderError = ENOENT;
inline constexpr int kNotAFolderError = ENOTDIR;
inline constexpr int kDiskFullError = ENOSPC;
inline constexpr int kTooLargeError = EFBIG;
inline constexpr int kReadOnlyError = EROFS;
inline constexpr int kInvalidError = EINVAL;
inline constexpr int kIoError = EIO;
inline constexpr int kDeniedError = EPERM;

inline std::string SystemReason(int error)
{
    return std::generic_category().message(error);
}
#endif

// Started in HAM with 435.1250 and 438.5000 MHz entered: kHamTwo's list.
inline DivisorCalculator TwoResults()
{
    DivisorCalculator calc = Started(Band::Ham);
    Keys(calc, "4351250E4385000E");
    return calc;
}

// A fresh folder, removed with its contents afterwards.
class TempFolder {
public:
    TempFolder()
    {
        const auto temp = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; path_.empty(); ++attempt) {
            const auto folder = temp / ("kestrami-core-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(folder, error)) {
                path_ = TextOf(folder);
            } else if (error || attempt == 100) {
                throw std::runtime_error("no new folder in " + TextOf(temp) + ": " + error.message());
            }
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(PathOf(path_), ignored);
    }
    const std::string& path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

inline std::string ReadWholeFile(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(PathOf(path), std::ios::binary).rdbuf();
    return content.str();
}

inline void WriteWholeFile(const std::string& path, std::string_view content)
{
    std::ofstream(PathOf(path), std::ios::binary) << content;
}

// The file of two savers, each of which appended its own block `saves`
// times: nothing but whole blocks, `saves` of each.
inline void ExpectWholeBlocks(const std::string& content, const std::string (&blocks)[2], int saves)
{
    int counts[2] = {0, 0};
    for (std::size_t pos = 0; pos < content.size();) {
        const int k = content.compare(pos, blocks[0].size(), blocks[0]) == 0   ? 0
                      : content.compare(pos, blocks[1].size(), blocks[1]) == 0 ? 1
                                                                               : -1;
        ASSERT_NE(k, -1) << "no whole block at byte " << pos << " after " << counts[0] + counts[1]
                         << " blocks";
        ++counts[k];
        pos += blocks[k].size();
    }
    EXPECT_EQ(counts[0], saves);
    EXPECT_EQ(counts[1], saves);
}

}  // namespace kestrami::test
