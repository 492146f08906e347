#pragma once

#include "model/catalogue.h"
#include "model/session.h"
#include "platform/install_registry.h"
#include "platform/port_names.h"

#include <functional>
#include <memory>
#include <optional>

class Operator;
class frmMain;

// The running program: everything it knows (Session, catalogue), the outside world it talks to
// (operator, installation registry, port names) and its main window. A test builds a fresh one
// with a scripted operator and its own registry file.
class Application {
public:
    // Ends the event loop with an exit code; the real program passes QCoreApplication::exit.
    using EndProgram = std::function<void(int exitCode)>;

    Application(Operator& op, InstallRegistry registry, PortNames portNames, EndProgram endProgram);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the main window's start-up. False when the program has to end at once (installation
    // check failed); the end has then been requested already.
    bool start();

    // Ends the program: every window of it disappears and the event loop is told to stop.
    void endProgram(int exitCode = 0);
    // The exit code once the end was requested (a window may be closed while start-up still
    // shows a message, before the event loop runs).
    std::optional<int> exitCode() const { return exitCode_; }

    Session& session() { return session_; }
    Catalogue& catalogue() { return catalogue_; }
    Operator& op() { return op_; }
    const InstallRegistry& registry() const { return registry_; }
    const PortNames& portNames() const { return portNames_; }
    frmMain& mainWindow() { return *mainWindow_; }

private:
    Session session_;
    Catalogue catalogue_;
    Operator& op_;
    InstallRegistry registry_;
    PortNames portNames_;
    EndProgram endProgram_;
    std::optional<int> exitCode_;
    std::unique_ptr<frmMain> mainWindow_;
};
