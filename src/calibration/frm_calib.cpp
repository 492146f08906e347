#include "calibration/frm_calib.h"

#include "calibration/calibration_common.h"
#include "platform/widgets/named_controls.h"
#include "link/commands.h"
#include "link/link_control.h"
#include "link/serial_link.h"
#include "link/unit_tasks.h"
#include "model/conf_files.h"
#include "model/formatters.h"
#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/file_dialogs.h"
#include "platform/operator.h"

#include <algorithm>

#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int StepRows = 8;     // rows 0..7: the calibration steps
constexpr int OutputRow = 8;
constexpr int SerialRow = 9;
constexpr int FirstValueRow = 10;  // rows 10..13: the four factory values
constexpr int ValueRows = 14;   // rows that show a value or status
constexpr int SaveRow = 14;
constexpr int RestoreRow = 15;

constexpr const char* RowCaptions[16] = {
    "Calibrate Pins 1-2   (76mV):",    "Calibrate Pins 2-6 TC  (153mV):",  "Calibrate Pins 3-6 TC  (153mV):",
    "Calibrate Pins 4-6 TC  (153mV):", "Calibrate Pins 5-6  (153mV):",     "Calibrate Pins 2-6 RTD  (610mV):",
    "Calibrate Pins 3-6 RTD  (610mV):", "Calibrate Pins 4-6 RTD  (610mV):", "Output Calibration of 4-20mA:",
    "Set Tarvo-2 Serial Number:",      "Set R34 (Rsens) Value:",           "Calibration For 2-Wire:",
    "Calibration For 3-Wire:",         "Calibrate Ambient Temperature:",   "Save Flash Memory:",
    "Up Load Flash Memory"};

const QString ChecksumOk = QStringLiteral("Check Sum OK");
const QString ChecksumFaulty = QStringLiteral("Check Sum Faulty");
const QString StatusOk = QStringLiteral("Status OK");
const QString StatusFaulty = QStringLiteral("Status Faulty");

// Clears an option button, even the chosen one of its exclusive group.
void clearOption(QRadioButton* option)
{
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

// A factory value hundredths as the window shows it: the general form, with a leading blank
// where a minus sign would stand; the no-value marker shows empty.
QString factoryValueText(float hundredths)
{
    if (hundredths == NoValue)
        return {};
    const float value = hundredths / 100.0f + 0.0f;  // no "-0"
    return (value < 0 ? QString() : QStringLiteral(" ")) + GeneralText(value);
}

// While a command talks to the unit: hourglass, and the window takes no clicks (the waits run
// events, and a second exchange must not start inside the first).
class BusyWindow {
public:
    BusyWindow(QWidget& window, bool& busy) : window_(window), busy_(busy)
    {
        busy_ = true;
        window_.setCursor(Qt::WaitCursor);
        window_.setEnabled(false);
    }
    ~BusyWindow()
    {
        window_.setEnabled(true);
        window_.unsetCursor();
        busy_ = false;
    }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

private:
    QWidget& window_;
    bool& busy_;
};

} // namespace

frmCalib::frmCalib(Link& link, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent), link_(link), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("frmCalib"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Rasko-2 Lab Calibration"));

    Label4 = NewLabel(this, QStringLiteral("Label4"), QStringLiteral("Rasko Factory Calibration"));
    QFont heading = Label4->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    Label4->setFont(heading);

    auto* checksums = new QGridLayout;
    Label1 = NewLabel(this, QStringLiteral("Label1"), QStringLiteral("Lab Check Sum:"));
    lbLabCS = NewLabel(this, QStringLiteral("lbLabCS"));
    Label2 = NewLabel(this, QStringLiteral("Label2"), QStringLiteral("Customer Check Sum 0:"));
    lbCusCS0 = NewLabel(this, QStringLiteral("lbCusCS0"));
    Label3 = NewLabel(this, QStringLiteral("Label3"), QStringLiteral("Customer Check Sum 1:"));
    lbCusCS1 = NewLabel(this, QStringLiteral("lbCusCS1"));
    const std::array<std::pair<QLabel*, QLabel*>, 3> checksumRows{
        {{Label1, lbLabCS}, {Label2, lbCusCS0}, {Label3, lbCusCS1}}};
    for (int row = 0; row < 3; ++row) {
        checksums->addWidget(checksumRows[row].first, row, 0);
        checksums->addWidget(checksumRows[row].second, row, 1);
    }
    checksums->setColumnStretch(1, 1);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* rows = new QGridLayout(Frame1);
    for (int i = 0; i < int(Option1.size()); ++i) {
        Option1[i] = NewOption(Frame1, IndexedName(QStringLiteral("Option1"), i));
        RowLabel[i] = NewLabel(Frame1, QStringLiteral("Label%1").arg(i + 5), QString::fromLatin1(RowCaptions[i]));
        rows->addWidget(Option1[i], i, 0);
        rows->addWidget(RowLabel[i], i, 1);
        if (i < ValueRows) {
            lbOption[i] = NewLabel(Frame1, QStringLiteral("lbOption_%1").arg(i));
            lbOption[i]->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Check Sum Faulty ")));
            rows->addWidget(lbOption[i], i, 2);
        }
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
        if (i < StepRows)
            RowLabel[i]->installEventFilter(this);
    }
    rows->setColumnStretch(2, 1);

    Command1 = NewButton(this, QStringLiteral("Command1"), QStringLiteral("Get Values"));
    Command2 = NewButton(this, QStringLiteral("Command2"), QStringLiteral("Exit"));
    connect(Command1, &QPushButton::clicked, this, &frmCalib::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmCalib::Command2_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addStretch(1);
    buttons->addWidget(Command2);

    auto* column = new QVBoxLayout(this);
    column->addWidget(Label4, 0, Qt::AlignHCenter);
    column->addLayout(checksums);
    column->addWidget(Frame1);
    column->addLayout(buttons);

    Form_Load();
}

void frmCalib::Form_Load()
{
    for (QRadioButton* option : Option1)
        clearOption(option);
    clearValues();
}

void frmCalib::clearValues()
{
    for (QLabel* value : {lbLabCS, lbCusCS0, lbCusCS1})
        value->clear();
    for (int i = 0; i < ValueRows; ++i) {
        lbOption[i]->clear();
        Option1[i]->setEnabled(false);
    }
}

void frmCalib::Command1_Click()
{
    Session& s = link_.session;
    ConfRecord& unit = s.UnitConf;
    const BusyWindow busy(*this, busy_);
    clearValues();
    link_.state.UnitOnline = true;
    ReadFactoryValues(link_, unit);
    // A unit that stopped answering has been reported and the port closed: the rows stay empty.
    if (!link_.state.LinkOpen)
        return;
    // A reply with a wrong echo leaves a read's failure value, which would pass for status bits
    // (255: every checksum good): nothing is shown but the request to try again.
    if (!link_.state.UnitOnline) {
        TryAgainMessage(link_.op);
        return;
    }
    const auto checksum = [&unit](std::uint8_t bit) { return unit.FactStatus & bit ? ChecksumOk : ChecksumFaulty; };
    lbLabCS->setText(checksum(0x01));
    lbCusCS0->setText(checksum(0x10));
    lbCusCS1->setText(checksum(0x20));
    lbOption[OutputRow]->setText((unit.FactStatus & 0x0C) == 0x0C ? StatusOk : StatusFaulty);
    const std::uint8_t steps = unit.FactBytes.size() >= 2 ? std::uint8_t(unit.FactBytes[0] & unit.FactBytes[1]) : 0;
    for (int k = 0; k < StepRows; ++k)
        lbOption[k]->setText(steps & (1 << k) ? StatusOk : StatusFaulty);

    unit.Serial = Taken(link_, ReadSerial(link_));
    if (!link_.state.LinkOpen)
        return;
    lbOption[SerialRow]->setText(unit.Serial);

    // The sense value is kept in hundredths, rounded half to even; a hundredfold beyond the
    // 16-bit range is rounded the same way rather than refused, so that it still shows in full.
    if (unit.FactVal1 != NoValue)
        unit.FactVal1 = float(RoundHalfEven(double(unit.FactVal1 * 100.0f)));
    lbOption[FirstValueRow]->setText(factoryValueText(unit.FactVal1));
    const float others[3] = {unit.FactVal2, unit.FactVal3, unit.FactVal4};
    for (int i = 0; i < 3; ++i)
        lbOption[FirstValueRow + 1 + i]->setText(factoryValueText(others[i]));

    for (int i = 0; i < ValueRows; ++i)
        Option1[i]->setEnabled(true);
}

void frmCalib::Command2_Click()
{
    close();
}

void frmCalib::closeEvent(QCloseEvent* event)
{
    // A transfer in progress keeps the window (and the port) open until it ends.
    if (busy_) {
        event->ignore();
        return;
    }
    Disconnect(link_);
    event->accept();
}

void frmCalib::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void frmCalib::Option1_Click(int index)
{
    link_.factory.UploadOk = true;
    if (index >= 0 && index < StepRows) {
        link_.op.message(QStringLiteral("Calibration Step"),
                         QStringLiteral("The window of this calibration step is not part of this program.")
                             + QLatin1String(CrLf) + QStringLiteral("Nothing has been changed in the unit."));
        clearOption(Option1[index]);
    } else if (index == SaveRow) {
        saveFlashMemory();
    } else if (index == RestoreRow) {
        restoreFlashMemory();
    }
}

void frmCalib::RowLabel_Click(int index)
{
    if (index < 0 || index >= StepRows || !Option1[index]->isEnabled())
        return;
    Option1[index]->setChecked(true);
    Option1_Click(index);
}

bool frmCalib::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto row = std::find(RowLabel.begin(), RowLabel.begin() + StepRows, watched);
        if (row != RowLabel.begin() + StepRows) {
            RowLabel_Click(int(row - RowLabel.begin()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmCalib::saveFlashMemory()
{
    Session& s = link_.session;
    {
        const BusyWindow busy(*this, busy_);
        if (UploadFactoryMemory(link_)) {
            // The file is proposed under the unit's serial number, once Get Values has read it.
            const QString proposed = s.UnitConf.Serial.isEmpty() ? QString() : s.UnitConf.Serial + QStringLiteral(".cal");
            const DialogResult chosen = dialogs_.saveFile(QStringLiteral("*.cal"), proposed);
            if (chosen.kind == DialogResult::Failed)
                DialogErrorMessage(link_.op, QStringLiteral("save"));
            else if (chosen.kind == DialogResult::Chosen)
                WriteFactoryImage(s.FlashImage, chosen.path, link_.op);
        }
    }
    clearOption(Option1[SaveRow]);
}

void frmCalib::restoreFlashMemory()
{
    FactoryState& factory = link_.factory;
    bool downloaded = false;
    {
        const BusyWindow busy(*this, busy_);
        const DialogResult chosen = dialogs_.openFile(QStringLiteral("*.cal, *.*"));
        if (chosen.kind == DialogResult::Failed)
            DialogErrorMessage(link_.op, QStringLiteral("open"));
        // A file that cannot be read whole has been reported and leaves the unit untouched.
        if (chosen.kind == DialogResult::Chosen && ReadFactoryImage(link_.session.FlashImage, chosen.path, link_.op)) {
            DownloadFactoryMemory(link_);
            downloaded = true;
        }
    }
    if (downloaded) {
        if (factory.UploadOk) {
            FlashUploadMessage(link_.op, true);
            factory.UploadOk = false;
        } else {
            FlashUploadMessage(link_.op, false);
        }
    }
    clearOption(Option1[RestoreRow]);
}
