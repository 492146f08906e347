#include "app/panel_placement.h"

#include <algorithm>
#include <cmath>

namespace {

// Panel sizes as designed; the positions below are computed from them and the screen size.
constexpr double EditorWidth = 9555;
constexpr double EditorHeight = 4935;
constexpr double ReadingWidth = 4500;
constexpr double ReadingHeight = 3300;
constexpr double UnitPanelWidth0 = 3375;  // frCurrent(0) ends where frCurrent(1) begins
constexpr double UnitPanelWidth1 = 3840;
constexpr double UnitPanelHeight = 4200;
constexpr double StatusWidth = 3600;
constexpr double StatusHeight = 1000;
constexpr double StatusTop = 5070;        // just below the unit panels
constexpr double Gap = 180;               // between the trend and transfer panels and their neighbours

} // namespace

PanelPlacement PlacePanels(double w, double h)
{
    PanelPlacement p;
    p.window = {0, 0, w, h};
    p.ssInfo = {(w - EditorWidth) / 2, h * 0.9 - EditorHeight, EditorWidth, EditorHeight};
    p.frCurrentReading = {w * 0.01, 630, ReadingWidth, ReadingHeight};
    p.frCurrent[0] = {w * 0.98 - 7215, 630, UnitPanelWidth0, UnitPanelHeight};
    p.frCurrent[1] = {w * 0.98 - 3840, 645, UnitPanelWidth1, UnitPanelHeight - 15};
    p.Frame1 = {w * 0.8, StatusTop, StatusWidth, StatusHeight};
    const double trendLeft = p.frCurrentReading.left + ReadingWidth + Gap;
    const double below = p.ssInfo.top - Gap;
    p.trend = {trendLeft, p.frCurrentReading.top, std::max(0.0, p.frCurrent[0].left - Gap - trendLeft),
               std::max(0.0, below - p.frCurrentReading.top)};
    const double transferTop = p.frCurrentReading.top + ReadingHeight + Gap;
    p.transfer = {p.frCurrentReading.left, transferTop, ReadingWidth, std::max(0.0, below - transferTop)};
    return p;
}

double PixelsToTwips(int pixels, double dpi)
{
    return pixels * 1440.0 / dpi;
}

int TwipsToPixels(double twips, double dpi)
{
    return int(std::lround(twips * dpi / 1440.0));
}
