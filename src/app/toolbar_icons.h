#pragma once

#include <QIcon>

// The picture of toolbar button 1..13 (or of the exit button, ExitButtonIcon), drawn in colour
// for the enabled button and in grey for the disabled one.
QIcon ToolbarIcon(int index);

inline constexpr int ExitButtonIcon = 14;
