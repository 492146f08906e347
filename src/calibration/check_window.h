#pragma once

#include "check/check_record.h"
#include "model/conf_record.h"
#include "model/stability.h"

#include <QDialog>

#include <functional>
#include <vector>

class CheckSetupPanel;
class FileDialogs;
class PrintDialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;
class QTableWidget;
class StableIndicator;
struct Link;

// The adjustment windows a check offers between its as-found and as-left runs: the program's own
// entry points of offset trimming and two-point calibration, with their questions about a
// correction the unit already has.
struct CheckAdjusters {
    std::function<void()> offsetTrim;
    std::function<void()> twoPoint;
};

// The calibration check of the connected unit: an as-found run through the test points, an
// adjustment (or none), an as-left run, then the certificate as a PDF file, a CSV file or a
// printout. The technician applies each reference; the live reading arrives with every poll
// (readingPolled) and the mean of the stable readings is recorded on "Record", or by itself as
// soon as they are stable when so chosen. Shown modeless; closing it keeps a check under way.
class CheckWindow : public QDialog {
    Q_OBJECT

public:
    CheckWindow(Link& link, FileDialogs& dialogs, PrintDialogs& printDialogs, QSettings& settings,
                CheckAdjusters adjusters, QWidget* parent = nullptr);

    // Shows the window; a new check is set up for the connected unit unless one is under way.
    void loadAndShow();
    // Takes the reading of the poll just made (after every successful poll of the live readings).
    void readingPolled();
    // Demonstrations: a control that applies a value at the simulated unit's input.
    void setSimulatedInput(std::function<void(double)> apply);
    const CheckRecord& record() const { return record_; }

    void cmdStartAsFound_Click();
    void cmdRecord_Click();
    void cmdNoAdjustment_Click();
    void cmdStartAsLeft_Click();
    void cmdSavePdf_Click();
    void cmdSaveCsv_Click();
    void cmdPrint_Click();
    void cmdApplySimulated_Click();

    CheckSetupPanel* setup;
    QLabel* lbPrompt;
    QLabel* lbReading;
    StableIndicator* stableIndicator;
    QTableWidget* tblResults;
    QPushButton* cmdStartAsFound;
    QPushButton* cmdRecord;
    QPushButton* cmdOffsetTrim;
    QPushButton* cmdTwoPoint;
    QPushButton* cmdNoAdjustment;
    QPushButton* cmdStartAsLeft;
    QPushButton* cmdSavePdf;
    QPushButton* cmdSaveCsv;
    QPushButton* cmdPrint;
    QPushButton* cmdClose;
    QWidget* frSimulated;
    QLineEdit* txtSimulated;
    QPushButton* cmdApplySimulated;

signals:
    // A check ended and its certificate number was issued: what a unit's history can keep.
    void checkCompleted(const CheckRecord& record);

private:
    enum class Stage { SetUp, AsFound, Adjusting, AsLeft, Done };

    QWidget* buildRunPanel();
    void setStage(Stage stage);
    bool running() const { return stage_ == Stage::AsFound || stage_ == Stage::AsLeft; }
    void startRun(Stage stage);
    void startPoint();
    void addResultRow(const QString& run, const PointResult& point);
    void finish();
    // Asks for a file and writes it; the operator is told when it cannot be.
    void saveAs(const QString& filter, const QString& suffix, const std::function<bool(const QString&)>& write);

    Link& link_;
    FileDialogs& dialogs_;
    PrintDialogs& printDialogs_;
    QSettings& settings_;
    CheckAdjusters adjusters_;
    std::function<void(double)> applySimulated_;
    Stage stage_ = Stage::SetUp;
    CheckRecord record_;
    ConfRecord before_;             // the unit as the as-found run began: what an adjustment changed
    std::vector<double> order_;     // the references of the run
    std::size_t point_ = 0;         // the one applied now
    StabilityWindow stability_;
};
