#include "trend/ui/trend_colours.h"

TrendColours::TrendColours(const QPalette& palette)
    : background(palette.color(QPalette::Base)),
      text(palette.color(QPalette::Text)),
      tipBackground(palette.color(QPalette::ToolTipBase)),
      tipText(palette.color(QPalette::ToolTipText))
{
    const bool dark = background.lightness() < 128;
    frame = text;
    frame.setAlpha(110);
    grid = text;
    grid.setAlpha(40);
    const auto trace = [dark](int hue) { return QColor::fromHsl(hue, 200, dark ? 170 : 90); };
    reading = trace(215);
    output = trace(25);
    ambient = trace(130);
}
