// What the windows decide about their look and their place: the text colour
// that stays readable on a background the window fixes whatever the desktop's
// palette, the font in which the results list shows its longest line whole,
// and where a secondary window opens. Plain numbers in, plain numbers out.
// They live in the core, not beside the windows, because each is a decision
// with edge cases (contrast thresholds, the widest keyable line, screen
// edges) that is tested here without Qt; ui/ only applies the answers.
#pragma once

#include <functional>
#include <string>

namespace kestrami {

// An opaque sRGB colour, each channel 0..255.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The contrast ratio of two colours as WCAG 2 defines it: the relative
// luminances, each plus 0.05, the lighter over the darker. From 1 (the same
// luminance) to 21 (black and white); the order of the two does not matter.
double ContrastRatio(Rgb a, Rgb b);

// The contrast that text needs on a fixed background (WCAG AAA).
inline constexpr double kReadableContrast = 7.0;

// The colour of text on a background the window fixes: the desktop's text
// colour wherever it reaches kReadableContrast on that background (it does
// under every light palette); otherwise black, or white on a background so
// dark that white contrasts more.
Rgb ReadableTextColour(Rgb background, Rgb desktop_text);

// The font of a list that must show its longest line whole beside its
// vertical scroll bar. `fits(design_face, points)` says whether that line
// fits in the design's face (true) or in the fallback face (false) at that
// point size. The design face at the design size where the line fits there;
// otherwise the fallback face at the largest size, in half points from the
// design size down to `smallest_points`, at which it fits; the fallback face
// at `smallest_points` where it fits nowhere (the list then scrolls sideways).
struct ListFont {
    bool design_face = true;
    double points = 0;
    friend bool operator==(const ListFont&, const ListFont&) = default;
};
ListFont FittingListFont(double design_points, double smallest_points,
                         const std::function<bool(bool design_face, double points)>& fits);

// The longest line that a keyed frequency adds to the results list,
// "Fo=500.0000  n=16000": no keyed line has more characters. Text typed into
// the cells can make longer lines.
std::string LongestKeyedResultLine();

// Screen geometry in pixels.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};
struct Size {
    int width = 0;
    int height = 0;
};
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
// How far a window's frame reaches beyond its client area on each side.
struct Margins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where the client area of a secondary window opens on the screen. On each
// axis, `offset` from the main window's client area where the window then
// lies within that area's span; centred on the area on an axis where it would
// stick out. Then the window, with its frame, is moved into the screen's free
// area as far as it fits there; a window larger than that area keeps its
// frame's top-left corner on it.
Point SecondaryWindowOrigin(Rect main_client, Size window, Point offset, Margins frame, Rect screen);

}  // namespace kestrami
