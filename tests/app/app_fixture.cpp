#include "app_fixture.h"

#include "platform/install_registry.h"

#include <QAction>
#include <QFile>
#include <QMenu>

void AppRig::writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void AppRig::writeRegistry(const QString& appPath)
{
    writeFile(QStringLiteral("registry.ini"),
              "[" + QByteArray(AppPathsKey) + "]\n@=" + appPath.toUtf8() + "\n");
}

void AppRig::makeApp()
{
    app = std::make_unique<Application>(Seams{op, clock, port, dialogs, modal, printDialogs, settings}, InstallRegistry::fromFile(path(QStringLiteral("registry.ini"))), PortNames{},
                                        path(QStringLiteral("history")),
                                        [this](int code) { endRequests.push_back(code); });
}

bool AppRig::startInstalled()
{
    writeRegistry(path(QStringLiteral("delvo2")));
    writeFile(QStringLiteral("PortNo.txt"), "3\r\n");
    makeApp();
    return app->start();
}

bool AppRig::enabled(const QString& name)
{
    QObject* control = w().findChild<QObject*>(name);
    if (!control) {
        ADD_FAILURE() << "no control " << name.toStdString();
        return false;
    }
    if (auto* menu = qobject_cast<QMenu*>(control))
        return menu->menuAction()->isEnabled();
    if (auto* action = qobject_cast<QAction*>(control))
        return action->isEnabled();
    return qobject_cast<QWidget*>(control)->isEnabled();
}
