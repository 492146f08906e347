#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

// What a command state does to one control.
enum class Cell : std::uint8_t {
    Keep,   // left as it is
    On,
    Off,
    Editor, // enabled exactly when a configuration is open
    Link,   // enabled exactly when the link is open
    NoLink, // enabled exactly when the link is closed
    Range,  // enabled unless the edited input is a potentiometer
};

inline constexpr int CommandStateCount = 6; // 0 not connected .. 5 busy

// One control (by object name) and its cell for each state code.
struct CommandStateRow {
    const char* control;
    std::array<Cell, CommandStateCount> cells;
};

// Every control that SetCommandState manages, in the order it sets them.
std::span<const CommandStateRow> CommandStateTable();

// What the cells depend on.
struct CommandConditions {
    bool editorOpen = false;
    bool linkOpen = false;
    std::uint8_t inputClass = 255;
};

// The enabled state a cell asks for, or nothing for Keep.
std::optional<bool> CellEnabled(Cell cell, const CommandConditions& now);
