#include "app/application.h"

#include "app/frm_main.h"

Application::Application(Operator& op, InstallRegistry registry, PortNames portNames, EndProgram endProgram)
    : op_(op)
    , registry_(std::move(registry))
    , portNames_(std::move(portNames))
    , endProgram_(std::move(endProgram))
    , mainWindow_(std::make_unique<frmMain>(*this))
{
}

Application::~Application() = default;

bool Application::start()
{
    return mainWindow_->Form_Load();
}

void Application::endProgram(int exitCode)
{
    exitCode_ = exitCode;
    mainWindow_->DiscardWindows();
    endProgram_(exitCode);
}
