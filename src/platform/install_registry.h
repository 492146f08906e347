#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The installation registry: the default value of the key
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\DELVO2.exe.
// On Windows it is the real registry key; elsewhere a small text file in the same layout as a
// registry export, written by the Debian package, `cmake --install` and `make run`:
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\DELVO2.exe]
//   @=/usr/lib/delvo2/delvo2
//   ReadOnlyAppDir=1
//
// ReadOnlyAppDir=1 (installations only) says that the program folder is shared and read-only:
// the files the program writes go to the user's data folder instead (InstalledRecordFolder).
class InstallRegistry {
public:
    // Reads the real registry on Windows, the first registry file that holds the key elsewhere:
    // $DELVO2_REGISTRY, then delvo2/registry.ini in the user's config folder, in the system
    // config folders ($XDG_CONFIG_DIRS, else /etc/xdg) and under the install prefix.
    static InstallRegistry system();
    // Reads only the given registry file (tests, tools).
    static InstallRegistry fromFile(const QString& path);

    // The installation path, or nothing when the key or its value is missing.
    std::optional<QString> appPathValue() const;
    // Whether the registry file that holds the key marks the program folder read-only. The real
    // Windows registry never does: that program keeps everything in its folder.
    bool appDirReadOnly() const;

    // The same lookup on the text of a registry file.
    static std::optional<QString> appPathFromText(const QString& text);
    // The value `name` of the key ("@" is its default value); names ignore letter case.
    static std::optional<QString> valueFromText(const QString& text, const QString& name);

private:
    // The text of the first registry file that holds the key's default value.
    std::optional<QString> keyFileText() const;

    QStringList files_;
};

// The registry key, as written in a registry file's section header.
inline constexpr char AppPathsKey[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\DELVO2.exe";
