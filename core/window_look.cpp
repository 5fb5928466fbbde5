#include "window_look.h"

#include <algorithm>
#include <cmath>

#include "divisor_calculator.h"

namespace kestrami {

namespace {

// A channel's share of light: the sRGB curve undone.
double Linear(int channel)
{
    const double c = std::clamp(channel, 0, 255) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb colour)
{
    return 0.2126 * Linear(colour.red) + 0.7152 * Linear(colour.green) + 0.0722 * Linear(colour.blue);
}

// One axis of SecondaryWindowOrigin: the design's offset where the window
// lies within the main client area's span, else centred on that span.
int OverMain(int main_start, int main_length, int length, int offset)
{
    const int start = main_start + offset;
    if (start >= main_start && start + length <= main_start + main_length) {
        return start;
    }
    return main_start + (main_length - length) / 2;
}

// One axis of the screen's hold: the frame inside [screen_start, screen_end)
// where it fits, else its leading edge on the screen's.
int OnScreen(int start, int length, int before, int after, int screen_start, int screen_length)
{
    const int lowest = screen_start + before;
    const int highest = screen_start + screen_length - after - length;
    return highest < lowest ? lowest : std::clamp(start, lowest, highest);
}

}  // namespace

double ContrastRatio(Rgb a, Rgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb ReadableTextColour(Rgb background, Rgb desktop_text)
{
    if (ContrastRatio(background, desktop_text) >= kReadableContrast) {
        return desktop_text;
    }
    constexpr Rgb kBlack{0, 0, 0};
    constexpr Rgb kWhite{255, 255, 255};
    return ContrastRatio(background, kBlack) >= ContrastRatio(background, kWhite) ? kBlack : kWhite;
}

ListFont FittingListFont(double design_points, double smallest_points,
                         const std::function<bool(bool design_face, double points)>& fits)
{
    if (fits(true, design_points)) {
        return {true, design_points};
    }
    // Half points counted down from the design size, so no rounding drifts.
    for (int halves = static_cast<int>(std::floor(design_points * 2)); halves / 2.0 > smallest_points;
         --halves) {
        if (fits(false, halves / 2.0)) {
            return {false, halves / 2.0};
        }
    }
    return {false, smallest_points};
}

std::string LongestKeyedResultLine()
{
    return ResultLine("500.0000", Band::Full);
}

Point SecondaryWindowOrigin(Rect main_client, Size window, Point offset, Margins frame, Rect screen)
{
    const int x = OverMain(main_client.x, main_client.width, window.width, offset.x);
    const int y = OverMain(main_client.y, main_client.height, window.height, offset.y);
    return {OnScreen(x, window.width, frame.left, frame.right, screen.x, screen.width),
            OnScreen(y, window.height, frame.top, frame.bottom, screen.y, screen.height)};
}

}  // namespace kestrami
