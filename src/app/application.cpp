#include "app/application.h"

#include "app/frm_main.h"
#include "app/main_window_link.h"
#include "app/reading_settings_store.h"
#include "calibration/calibration_windows.h"
#include "calibration/check_window.h"
#include "check/check_record.h"
#include "history/unit_history.h"
#include "link/serial_link.h"
#include "link/serial_port.h"
#include "platform/clock.h"
#include "platform/operator.h"
#include "link/ui/frm_status.h"
#include "views/frm_print_con.h"
#include "views/frm_printsts.h"

#include <QDateTime>

Application::Application(Seams seams, InstallRegistry registry, PortNames portNames, const QString& historyFolder,
                         EndProgram endProgram)
    : readings_(double(QDateTime::currentMSecsSinceEpoch()) / 1000.0, seams.clock.now())
    , seams_(seams)
    , registry_(std::move(registry))
    , portNames_(std::move(portNames))
    , endProgram_(std::move(endProgram))
    , mainWindow_(std::make_unique<frmMain>(*this))
    , linkWindows_(std::make_unique<MainWindowLink>(*mainWindow_, views_))
    , link_(std::make_unique<Link>(Link{session_, seams.port, seams.clock, seams.op, *linkWindows_, portNames_,
                                        catalogue_}))
    , history_(std::make_unique<UnitHistory>(historyFolder, seams.clock, seams.op))
    , status_(std::make_unique<frmStatus>(*link_, mainWindow_.get()))
    , printCon_(std::make_unique<frmPrintCon>())
    , printSts_(std::make_unique<frmPrintsts>())
    , calibration_(std::make_unique<CalibrationWindows>(*link_, seams.modal, mainWindow_.get()))
    , check_(std::make_unique<CheckWindow>(*link_, seams.dialogs, seams.printDialogs, seams.settings,
                                           CheckAdjusters{[this] { mainWindow_->mnuOffsetitem_Click(); },
                                                          [this] { mainWindow_->mnuErrorCorrection_Click(); }},
                                           mainWindow_.get()))
{
    readings_.setSettings(LoadReadingSettings(seams.settings));
    QObject::connect(check_.get(), &CheckWindow::checkCompleted, [this](const CheckRecord& record) { keepCheck(record); });
    // The hidden forms are made once and stay, so what the views drew is there when shown or printed.
    views_.edit = mainWindow_->editor().targets();
    views_.unit = mainWindow_->unitPanels().targets();
    views_.status = SummaryForm{status_->LbHead, status_->LbData, status_->LbUnit};
    views_.printSts = printSts_->targets();
    views_.printCon = printCon_->targets();
    views_.calibration = calibration_->readingLabels();
    history_->attach(*link_);
    // Bytes arriving at the port wake a waiting exchange.
    seams.port.setActivityHandler([&clock = seams.clock] { clock.notify(); });
}

Application::~Application() = default;

void Application::changeReadingSettings(const ReadingSettings& settings)
{
    readings_.setSettings(settings);
    SaveReadingSettings(seams_.settings, settings);
}

void Application::keepCheck(const CheckRecord& record)
{
    const Stored<QString> kept = history_->store().add(
        CheckSnapshot(session_.UnitConf, record.issued, record.asLeft.passed(), CheckHistoryNote(record)));
    if (!kept.ok())
        seams_.op.message(QStringLiteral("Unit History"),
                          QStringLiteral("The check was not kept in the unit's history: %1").arg(kept.error));
}

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
