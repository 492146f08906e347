#pragma once

#include <array>

// A rectangle in twips (1/1440 inch), the unit in which the main window's panels are placed.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const TwipRect&) const = default;
};

// Where start-up puts the main window and its panels for a screen of the given size (twips).
struct PanelPlacement {
    TwipRect window;
    TwipRect ssInfo;
    TwipRect frCurrentReading;
    std::array<TwipRect, 2> frCurrent;
    TwipRect Frame1;
    // The live trend in the free middle (between the readings and the unit's panels, above the
    // editor) and the output's transfer function below the readings.
    TwipRect trend;
    TwipRect transfer;
};

PanelPlacement PlacePanels(double screenWidth, double screenHeight);

// Conversions between the screen's pixels and twips at a logical resolution (dots per inch).
double PixelsToTwips(int pixels, double dpi);
int TwipsToPixels(double twips, double dpi);
