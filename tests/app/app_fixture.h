#pragma once

#include "app/application.h"
#include "app/frm_main.h"
#include "link/serial_link.h"
#include "platform/virtual_clock.h"
#include "platform/widgets/modal_runner.h"
#include "sim/simulated_port.h"
#include "sim/simulated_unit.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_operator.h"
#include "support/scripted_print_dialogs.h"

#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A fresh application in a temporary program folder: its own registry file, port file,
// scripted operator and dialogs, virtual time and a simulated unit on every port. Ending the
// program is recorded instead of stopping the test. Windows shown modally are scripted through
// `modal.onOpen`. A test that needs several fresh programs makes several rigs.
struct AppRig {
    QTemporaryDir dir;
    ScriptedOperator op;
    ScriptedDialogs dialogs;
    ScriptedPrintDialogs printDialogs;
    VirtualClock clock;
    SimulatedUnit unit{clock};
    SimulatedPort port{unit};
    ModalRunner modal{clock, true};
    QSettings settings{dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat};
    std::vector<int> endRequests;
    std::unique_ptr<Application> app;

    QString path(const QString& name) const { return dir.filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes);
    // The registry file as the installer writes it, pointing at `appPath`.
    void writeRegistry(const QString& appPath);

    void makeApp();
    // Program folder with a registry entry and the port file "3", then start-up.
    bool startInstalled();

    frmMain& w() { return app->mainWindow(); }
    ConfigurationEditor& editor() { return w().editor(); }
    // A control of the main window by its object name ("LbData_13", "txtSerial").
    template <class T = QWidget>
    T* control(const QString& name)
    {
        T* found = w().findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLabel* label(const QString& name) { return control<QLabel>(name); }
    // The enabled state of a managed control (toolbar button, menu, item or button) by name.
    bool enabled(const QString& name);
};

class AppFixture : public ::testing::Test, public AppRig {};
