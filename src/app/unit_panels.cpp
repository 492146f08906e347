// The connected unit's panels of the main window.

#include "app/unit_panels.h"

#include "platform/widgets/named_controls.h"
#include "trend/ui/stable_indicator.h"
#include "views/label_colour.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void hideAll(std::initializer_list<QWidget*> controls)
{
    for (QWidget* control : controls)
        control->hide();
}

// A unit-panel row: heading, value and, where the value has one, its unit.
void addUnitRow(QGridLayout* grid, QLabel* heading, QLabel* data, QLabel* unit = nullptr)
{
    const int row = grid->rowCount();
    grid->addWidget(heading, row, 0);
    if (data) {
        data->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        grid->addWidget(data, row, 1);
    }
    if (unit)
        grid->addWidget(unit, row, 2);
}

QGridLayout* unitGrid(QGroupBox* frame)
{
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace

UnitPanels::UnitPanels(QWidget* central, std::function<void()> resetPressed)
{
    static const char* const headCaptions[22] = {
        "Serial No. :", "Tag Name :", "Input Type :", "Input Range :", "Min.", "Max.",
        "Min Reading :", "Max Reading :", "Burn-Out :", "Output range :", "Mains Freq :", "Mode :",
        "Current Reading :", "Ambient :", "Min :", "Max :", "Damping :", "Ambient Units :",
        "Disply range:", "Min :", "Max :", "SWver::",
    };
    for (std::size_t i = 0; i < LbHead.size(); ++i)
        LbHead[i] = NewLabel(central, IndexedName(QStringLiteral("LbHead"), int(i)), QString::fromUtf8(headCaptions[i]));
    for (std::size_t i = 0; i < LbData.size(); ++i)
        LbData[i] = NewLabel(central, IndexedName(QStringLiteral("LbData"), int(i)));
    for (std::size_t i = 0; i < LbUnit.size(); ++i)
        LbUnit[i] = NewLabel(central, IndexedName(QStringLiteral("LbUnit"), int(i)));
    Label8_0 = NewLabel(central, QStringLiteral("Label8_0"), QStringLiteral("Read at :"));

    frCurrent[0] = NewFrame(central, QStringLiteral("frCurrent_0"), QStringLiteral("Connected unit's Configuration :"));
    QGridLayout* config = unitGrid(frCurrent[0]);
    addUnitRow(config, LbHead[UnitHead::Serial], LbData[UnitData::Serial]);
    addUnitRow(config, LbHead[UnitHead::Tag], LbData[UnitData::Tag]);
    addUnitRow(config, LbHead[UnitHead::InputType], LbData[UnitData::InputName]);
    addUnitRow(config, LbHead[UnitHead::InputRange], LbData[UnitData::Wires]);
    addUnitRow(config, LbHead[UnitHead::RangeMin], LbData[UnitData::RangeMin], LbUnit[UnitUnits::RangeMin]);
    addUnitRow(config, LbHead[UnitHead::RangeMax], LbData[UnitData::RangeMax], LbUnit[UnitUnits::RangeMax]);
    config->setRowStretch(config->rowCount(), 1);

    frCurrent[1] = NewFrame(central, QStringLiteral("frCurrent_1"));
    QGridLayout* output = unitGrid(frCurrent[1]);
    addUnitRow(output, LbHead[UnitHead::BurnOut], LbData[UnitData::BurnOut]);
    addUnitRow(output, LbHead[UnitHead::OutputRange], LbData[UnitData::OutDir]);
    addUnitRow(output, LbHead[UnitHead::OutMin], LbData[UnitData::OutMin]);
    addUnitRow(output, LbHead[UnitHead::OutMax], LbData[UnitData::OutMax]);
    addUnitRow(output, LbHead[UnitHead::MainsFreq], LbData[UnitData::Freq]);
    addUnitRow(output, LbHead[UnitHead::Mode], LbData[UnitData::Mode]);
    addUnitRow(output, LbHead[UnitHead::Damping], LbData[UnitData::Damping]);
    addUnitRow(output, LbHead[UnitHead::AmbientUnits], LbData[UnitData::AmbUnits]);
    addUnitRow(output, LbHead[UnitHead::DisplayRange], nullptr);
    addUnitRow(output, LbHead[UnitHead::DisplayLow], LbData[UnitData::DispLow]);
    addUnitRow(output, LbHead[UnitHead::DisplayHigh], LbData[UnitData::DispHigh]);
    addUnitRow(output, LbHead[UnitHead::SoftwareVersion], LbData[UnitData::DisplayVersion]);
    output->setRowStretch(output->rowCount(), 1);

    frCurrentReading = NewFrame(central, QStringLiteral("frCurrentReading"), QStringLiteral("Present Readings :"));
    QGridLayout* readings = unitGrid(frCurrentReading);
    addUnitRow(readings, LbHead[UnitHead::CurrentReading], LbData[UnitData::Reading], LbUnit[UnitUnits::Reading]);
    stable_ = new StableIndicator(frCurrentReading);
    readings->addWidget(stable_, readings->rowCount(), 1, 1, 2);
    addUnitRow(readings, LbHead[UnitHead::Ambient], LbData[UnitData::AmbRead], LbUnit[UnitUnits::AmbRead]);
    addUnitRow(readings, LbHead[UnitHead::MaxReading], LbData[UnitData::MaxRead], LbUnit[UnitUnits::MaxRead]);
    addUnitRow(readings, LbHead[UnitHead::MinReading], LbData[UnitData::MinRead], LbUnit[UnitUnits::MinRead]);
    // Date and time of the reading, side by side across the value and unit columns.
    const int readAt = readings->rowCount();
    readings->addWidget(Label8_0, readAt, 0);
    auto* stamp = new QHBoxLayout;
    stamp->setSpacing(12);
    stamp->addWidget(LbData[UnitData::Date]);
    stamp->addWidget(LbData[UnitData::Time]);
    stamp->addStretch();
    readings->addLayout(stamp, readAt, 1, 1, 2);
    cmdResetMin = NewButton(frCurrentReading, QStringLiteral("cmdResetMin"), QStringLiteral("Reset"));
    cmdResetMin->setToolTip(QStringLiteral("Resets Minimum Readings"));
    QObject::connect(cmdResetMin, &QPushButton::clicked, cmdResetMin, std::move(resetPressed));
    readings->addWidget(cmdResetMin, readings->rowCount(), 0, 1, 3, Qt::AlignRight);
    readings->setRowStretch(readings->rowCount(), 1);

    // The unit's panels appear once a unit is connected.
    hideAll({frCurrent[0], frCurrent[1], frCurrentReading});

    Frame1 = new QFrame(central);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Label13 = NewLabel(Frame1, QStringLiteral("Label13"), QStringLiteral("Not Connected"));
    QFont big = Label13->font();
    big.setPointSize(16);
    big.setBold(true);
    Label13->setFont(big);
    Label13->setAlignment(Qt::AlignCenter);
    auto* status = new QVBoxLayout(Frame1);
    status->addWidget(Label13);
}

UnitPanel UnitPanels::targets() const
{
    return UnitPanel{LbHead, LbData, LbUnit, Label13};
}

void UnitPanels::showConfiguration(bool shown)
{
    frCurrent[0]->setVisible(shown);
    frCurrent[1]->setVisible(shown);
}

void UnitPanels::showReadings(bool shown)
{
    frCurrentReading->setVisible(shown);
}

void UnitPanels::setStatusText(const QString& text)
{
    Label13->setText(text);
}

void UnitPanels::showStability(const StabilityVerdict& verdict, const QString& units)
{
    stable_->showVerdict(verdict, units);
}

void UnitPanels::hideMainsFrequency()
{
    LbData[UnitData::Freq]->hide();
    LbHead[UnitHead::MainsFreq]->hide();
}

void UnitPanels::showDisplayVersion(const QString& versionText)
{
    LbData[UnitData::DisplayVersion]->setText(versionText);
}

void UnitPanels::hideDisplayVersion()
{
    LbHead[UnitHead::SoftwareVersion]->hide();
    LbData[UnitData::DisplayVersion]->hide();
}

void UnitPanels::markSerialTakenOver()
{
    setLabelColour(LbHead[UnitHead::Serial], Red);
}

void UnitPanels::place(const QRect& configuration, const QRect& output, const QRect& readings, const QRect& status)
{
    frCurrent[0]->setGeometry(configuration);
    frCurrent[1]->setGeometry(output);
    frCurrentReading->setGeometry(readings);
    Frame1->setGeometry(status);
}
