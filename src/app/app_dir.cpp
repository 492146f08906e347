#include "app/app_dir.h"

#include "model/split_text.h"

QString AppDirFromAppPath(const QString& appPath, AppPathStyle style)
{
    if (style == AppPathStyle::Windows)
        return SplitText(appPath, QStringLiteral("\\delvo2.exe")).at(1);
    // The Posix value names the program itself; a folder that happens to be called "delvo2"
    // further up the path must not cut it short, so only the last component counts.
    const QString program = QStringLiteral("/delvo2");
    return appPath.endsWith(program) ? appPath.chopped(program.size()) : appPath;
}
