#pragma once

#include <QString>
#include <QtGlobal>

// How the installation registry spells the program's path.
enum class AppPathStyle {
    Windows, // "C:\Tools\delvo2.exe"
    Posix,   // "/usr/local/lib/delvo2/delvo2"
};

#ifdef Q_OS_WIN
inline constexpr AppPathStyle NativeAppPathStyle = AppPathStyle::Windows;
#else
inline constexpr AppPathStyle NativeAppPathStyle = AppPathStyle::Posix;
#endif

// The program's folder from the registry value. Windows: the text before the first
// "\delvo2.exe" (case-sensitive). Elsewhere: the value without a final "/delvo2". In both
// styles a value without the program's name is taken whole.
QString AppDirFromAppPath(const QString& appPath, AppPathStyle style = NativeAppPathStyle);
