#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The installation registry: the default value of the key
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\DELVO2.exe.
// On Windows it is the real registry key; elsewhere a small text file in the same layout as a
// registry export, written by `cmake --install` and `make run`:
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\DELVO2.exe]
//   @=/usr/local/lib/delvo2/delvo2
class InstallRegistry {
public:
    // Reads the real registry on Windows, the first registry file that holds the key elsewhere:
    // $DELVO2_REGISTRY, then the user's config folder (delvo2/registry.ini), then the system one.
    static InstallRegistry system();
    // Reads only the given registry file (tests, tools).
    static InstallRegistry fromFile(const QString& path);

    // The installation path, or nothing when the key or its value is missing.
    std::optional<QString> appPathValue() const;

    // The same lookup on the text of a registry file.
    static std::optional<QString> appPathFromText(const QString& text);

private:
    QStringList files_;
};

// The registry key, as written in a registry file's section header.
inline constexpr char AppPathsKey[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\DELVO2.exe";
