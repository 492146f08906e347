// The editor's four tabs: their fields, laid out as a heading beside each field's lines.

#include "platform/widgets/named_controls.h"
#include "app/configuration_editor.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A row of controls; a null entry stands for the stretch that pushes the rest to the right.
QHBoxLayout* line(std::initializer_list<QWidget*> controls)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : controls) {
        if (control)
            row->addWidget(control);
        else
            row->addStretch(1);
    }
    return row;
}

// One field of the editor: its heading in the first column, its lines in the second. A field's
// display line and its edit lines are shown one at a time; hidden lines take no room.
void addField(QGridLayout* grid, QLabel* heading, std::initializer_list<QHBoxLayout*> lines)
{
    const int row = grid->rowCount();
    auto* stack = new QVBoxLayout;
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(4);
    for (QHBoxLayout* l : lines)
        stack->addLayout(l);
    // The heading sits level with the field's first line.
    heading->setMinimumHeight((*lines.begin())->sizeHint().height());
    heading->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(heading, row, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addLayout(stack, row, 1);
}

QGridLayout* fieldGrid(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(1, 1);
    return grid;
}

void finishGrid(QGridLayout* grid)
{
    grid->setRowStretch(grid->rowCount(), 1);
}

// A frame holding a row of option buttons.
QGroupBox* optionFrame(QWidget* parent, const QString& name, std::initializer_list<QWidget*> controls)
{
    QGroupBox* frame = NewFrame(parent, name);
    QHBoxLayout* row = line(controls);
    row->setContentsMargins(6, 2, 6, 2);
    frame->setLayout(row);
    return frame;
}

// An option group whose buttons report their control-array index.
template <std::size_t N>
QButtonGroup* optionGroup(QObject* owner, const QString& name, const std::array<QRadioButton*, N>& options)
{
    auto* group = new QButtonGroup(owner);
    group->setObjectName(name);
    for (std::size_t i = 0; i < N; ++i)
        if (options[i])
            group->addButton(options[i], int(i));
    return group;
}

void hideAll(std::initializer_list<QWidget*> controls)
{
    for (QWidget* control : controls)
        control->hide();
}

} // namespace

ConfigurationEditor::ConfigurationEditor(Application& app, EditorHost& host, QWidget* parent)
    : QTabWidget(parent), app_(app), host_(host)
{
    static const char* const headCaptions[15] = {
        "Serial Number :", "Tag Name :", "Select The Sensor Type :", "Input Range :", "Min", "Max",
        "Burn-Out :", "Output range :", "Mains Frequency :", "Mode :", "Damping Time :", "Min", "Max",
        "Ambient Temperature Units :", "Range Display :",
    };
    setObjectName(QStringLiteral("ssInfo"));
    for (std::size_t i = 0; i < lbWHead.size(); ++i)
        lbWHead[i] = NewLabel(this, IndexedName(QStringLiteral("lbWHead"), int(i)), QString::fromUtf8(headCaptions[i]));
    for (std::size_t i = 0; i < lbWData.size(); ++i)
        lbWData[i] = NewLabel(this, IndexedName(QStringLiteral("lbWData"), int(i)));
    for (std::size_t i = 0; i < lbWUnit.size(); ++i)
        lbWUnit[i] = NewLabel(this, IndexedName(QStringLiteral("lbWUnit"), int(i)));

    addTab(buildGeneralTab(), QStringLiteral("General"));
    addTab(buildSensorTab(), QStringLiteral("Sensor"));
    addTab(buildInputOutputTab(), QStringLiteral("Input / Output"));
    addTab(buildSetUpTab(), QStringLiteral("Set-Up"));
    // Visible only while a configuration is open.
    hide();
}

QWidget* ConfigurationEditor::buildGeneralTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("ssInfoGeneral"));
    txtSerial = NewTextBox(page, QStringLiteral("txtSerial"));
    cmdSerialChange = NewButton(page, QStringLiteral("cmdSerialChange"), QStringLiteral("Change"));
    cmdSerialDone = NewButton(page, QStringLiteral("cmdSerialDone"), QStringLiteral("Done"));
    cmdSerialCancel = NewButton(page, QStringLiteral("cmdSerialCancel"), QStringLiteral("Cancel"));
    TxtTag = NewTextBox(page, QStringLiteral("TxtTag"));
    TxtTag->setMaxLength(19);
    // A configuration file holds texts in double quotes and cannot keep one inside: refused as typed.
    TxtTag->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), TxtTag));
    LbHeader = NewLabel(page, QStringLiteral("LbHeader"), QStringLiteral("Insert Tag Name :"));
    LabHead2[0] = NewLabel(page, QStringLiteral("LabHead2_0"), QStringLiteral("(up to 19 characters)"));
    cmdTagChange = NewButton(page, QStringLiteral("cmdTagChange"), QStringLiteral("Change"));
    ComTagDone = NewButton(page, QStringLiteral("ComTagDone"), QStringLiteral("Done"));
    ComTagCancel = NewButton(page, QStringLiteral("ComTagCancel"), QStringLiteral("Cancel"));

    QGridLayout* grid = fieldGrid(page);
    addField(grid, lbWHead[EditHead::Serial], {line({lbWData[EditData::Serial], nullptr, cmdSerialChange}),
                                line({txtSerial, nullptr, cmdSerialDone, cmdSerialCancel})});
    addField(grid, lbWHead[EditHead::Tag], {line({lbWData[EditData::Tag], nullptr, cmdTagChange}),
                                line({LbHeader, TxtTag, LabHead2[0]}),
                                line({nullptr, ComTagDone, ComTagCancel})});
    finishGrid(grid);
    hideAll({txtSerial, cmdSerialDone, cmdSerialCancel, LbHeader, TxtTag, LabHead2[0], ComTagDone, ComTagCancel});

    connect(cmdSerialChange, &QPushButton::clicked, this, &ConfigurationEditor::cmdSerialChange_Click);
    connect(cmdSerialDone, &QPushButton::clicked, this, &ConfigurationEditor::cmdSerialDone_Click);
    connect(cmdSerialCancel, &QPushButton::clicked, this, &ConfigurationEditor::cmdSerialCancel_Click);
    connect(cmdTagChange, &QPushButton::clicked, this, &ConfigurationEditor::cmdTagChange_Click);
    connect(ComTagDone, &QPushButton::clicked, this, &ConfigurationEditor::ComTagDone_Click);
    connect(ComTagCancel, &QPushButton::clicked, this, &ConfigurationEditor::ComTagCancel_Click);
    connect(TxtTag, &QLineEdit::textChanged, this, &ConfigurationEditor::TxtTag_Change);
    return page;
}

QWidget* ConfigurationEditor::buildSensorTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("ssInfoSensor"));
    Frame2 = NewFrame(page, QStringLiteral("Frame2"));
    for (std::size_t i = 0; i < Option1.size(); ++i)
        Option1[i] = NewOption(Frame2, IndexedName(QStringLiteral("Option1"), int(i)));
    LabRTD = NewLabel(Frame2, QStringLiteral("LabRTD"), QStringLiteral("RTD"));
    LabTC = NewLabel(Frame2, QStringLiteral("LabTC"), QStringLiteral("Thermocouple"));
    LabVol = NewLabel(Frame2, QStringLiteral("LabVol"), QStringLiteral("Voltage Input"));
    LabPot = NewLabel(Frame2, QStringLiteral("LabPot"), QStringLiteral("Potentiometer"));
    LabRes = NewLabel(Frame2, QStringLiteral("LabRes"), QStringLiteral("Resistor"));
    auto* kinds = new QGridLayout(Frame2);
    const std::array<QLabel*, 5> kindLabels{LabRTD, LabTC, LabVol, LabPot, LabRes};
    for (int i = 0; i < 5; ++i) {
        kinds->addWidget(Option1[std::size_t(i)], i, 0);
        kinds->addWidget(kindLabels[std::size_t(i)], i, 1);
    }
    kinds->setColumnStretch(1, 1);
    Option1Group = optionGroup(this, QStringLiteral("Option1Group"), Option1);
    connect(Option1Group, &QButtonGroup::idClicked, this, &ConfigurationEditor::Option1_Click);

    auto* column = new QVBoxLayout(page);
    column->addWidget(lbWHead[EditHead::SensorType]);
    column->addWidget(Frame2);
    column->addWidget(lbWData[EditData::InputType]);
    column->addStretch(1);
    return page;
}

QWidget* ConfigurationEditor::buildInputOutputTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("ssInfoInputOutput"));

    // Input range and its units.
    static const char* const unitCaptions[7] = {"°C", "°F", nullptr, nullptr, "mV", "Ohm", "%"};
    for (std::size_t i = 0; i < OptTemp.size(); ++i)
        if (unitCaptions[i])
            OptTemp[i] = NewOption(page, IndexedName(QStringLiteral("OptTemp"), int(i)), QString::fromUtf8(unitCaptions[i]));
    FrTemp[0] = optionFrame(page, QStringLiteral("FrTemp_0"), {OptTemp[0], OptTemp[1]});
    FrTemp[1] = optionFrame(page, QStringLiteral("FrTemp_1"), {OptTemp[4], OptTemp[6]});
    FrTemp[2] = optionFrame(page, QStringLiteral("FrTemp_2"), {OptTemp[5]});
    OptTempGroup = optionGroup(this, QStringLiteral("OptTempGroup"), OptTemp);
    connect(OptTempGroup, &QButtonGroup::idClicked, this, &ConfigurationEditor::OptTemp_Click);
    txtTempMin = NewTextBox(page, QStringLiteral("txtTempMin"));
    TxtTempMax = NewTextBox(page, QStringLiteral("TxtTempMax"));
    LabTemp = NewLabel(page, QStringLiteral("LabTemp"), QStringLiteral("Insert Input Range :"));
    LabMinTemp = NewLabel(page, QStringLiteral("LabMinTemp"), QStringLiteral("Min"));
    LabMaxTemp = NewLabel(page, QStringLiteral("LabMaxTemp"), QStringLiteral("Max"));
    cmdChangeRange = NewButton(page, QStringLiteral("cmdChangeRange"), QStringLiteral("Change"));
    cmdRangeDone = NewButton(page, QStringLiteral("cmdRangeDone"), QStringLiteral("Done"));
    cmdRangeCancel = NewButton(page, QStringLiteral("cmdRangeCancel"), QStringLiteral("Cancel"));

    // Burn-out.
    OptBurn[0] = NewOption(page, QStringLiteral("OptBurn_0"), QStringLiteral("Down Scale"));
    OptBurn[1] = NewOption(page, QStringLiteral("OptBurn_1"), QStringLiteral("Up Scale"));
    FrBurn = optionFrame(page, QStringLiteral("FrBurn"), {OptBurn[1], OptBurn[0]});
    OptBurnGroup = optionGroup(this, QStringLiteral("OptBurnGroup"), OptBurn);
    connect(OptBurnGroup, &QButtonGroup::idClicked, this, &ConfigurationEditor::OptBurn_Click);

    // Output range.
    txtDirMin = NewTextBox(page, QStringLiteral("txtDirMin"));
    txtDirMax = NewTextBox(page, QStringLiteral("txtDirMax"));
    lblDir = NewLabel(page, QStringLiteral("lblDir"), QStringLiteral("Insert Output Range :"));
    lblMinDir = NewLabel(page, QStringLiteral("lblMinDir"), QStringLiteral("Min"));
    lblMaxDir = NewLabel(page, QStringLiteral("lblMaxDir"), QStringLiteral("Max"));
    cmdDirChange = NewButton(page, QStringLiteral("cmdDirChange"), QStringLiteral("Change"));
    cmdDirDone = NewButton(page, QStringLiteral("cmdDirDone"), QStringLiteral("Done"));
    cmsDirCancel = NewButton(page, QStringLiteral("cmsDirCancel"), QStringLiteral("Cancel"));

    // Range of the unit's local display.
    txt_discall = NewTextBox(page, QStringLiteral("txt_discall"));
    txt_discalh = NewTextBox(page, QStringLiteral("txt_discalh"));
    Com_discal_dune = NewButton(page, QStringLiteral("Com_discal_dune"), QStringLiteral("Done"));
    Command1 = NewButton(page, QStringLiteral("Command1"), QStringLiteral("Apply"));

    for (QLineEdit* box : {txtTempMin, TxtTempMax, txtDirMin, txtDirMax, txt_discall, txt_discalh})
        box->setMaximumWidth(90);

    QGridLayout* grid = fieldGrid(page);
    addField(grid, lbWHead[EditHead::InputRange], {line({lbWData[EditData::Wires], lbWHead[EditHead::RangeMin], lbWData[EditData::RangeMin], lbWUnit[EditUnits::RangeMin], lbWHead[EditHead::RangeMax], lbWData[EditData::RangeMax], lbWUnit[EditUnits::RangeMax], nullptr, cmdChangeRange}),
                                line({LabTemp, LabMinTemp, txtTempMin, LabMaxTemp, TxtTempMax, nullptr}),
                                line({FrTemp[0], FrTemp[1], FrTemp[2], nullptr, cmdRangeDone, cmdRangeCancel})});
    addField(grid, lbWHead[EditHead::BurnOut], {line({lbWData[EditData::BurnOut], FrBurn, nullptr})});
    addField(grid, lbWHead[EditHead::OutputRange], {line({lbWData[EditData::OutDir], lbWHead[EditHead::OutMin], lbWData[EditData::OutMin], lbWHead[EditHead::OutMax], lbWData[EditData::OutMax], nullptr, cmdDirChange}),
                                line({lblDir, lblMinDir, txtDirMin, lblMaxDir, txtDirMax, nullptr, cmdDirDone, cmsDirCancel})});
    Label8_1 = NewLabel(page, QStringLiteral("Label8_1"), QStringLiteral(" low range                high range"));
    addField(grid, lbWHead[EditHead::RangeDisplay], {line({Label8_1, nullptr}),
                                 line({txt_discall, txt_discalh, nullptr, Com_discal_dune, Command1})});
    finishGrid(grid);
    hideAll({LabTemp, LabMinTemp, txtTempMin, LabMaxTemp, TxtTempMax, FrTemp[0], FrTemp[1], FrTemp[2],
             cmdRangeDone, cmdRangeCancel, lblDir, lblMinDir, txtDirMin, lblMaxDir, txtDirMax, cmdDirDone, cmsDirCancel});

    connect(cmdChangeRange, &QPushButton::clicked, this, &ConfigurationEditor::cmdChangeRange_Click);
    connect(cmdRangeDone, &QPushButton::clicked, this, &ConfigurationEditor::cmdRangeDone_Click);
    connect(cmdRangeCancel, &QPushButton::clicked, this, &ConfigurationEditor::cmdRangeCancel_Click);
    connect(txtTempMin, &QLineEdit::textChanged, this, &ConfigurationEditor::txtTempMin_Change);
    connect(TxtTempMax, &QLineEdit::textChanged, this, &ConfigurationEditor::TxtTempMax_Change);
    connect(cmdDirChange, &QPushButton::clicked, this, &ConfigurationEditor::cmdDirChange_Click);
    connect(cmdDirDone, &QPushButton::clicked, this, &ConfigurationEditor::cmdDirDone_Click);
    connect(cmsDirCancel, &QPushButton::clicked, this, &ConfigurationEditor::cmsDirCancel_Click);
    connect(txtDirMin, &QLineEdit::textChanged, this, &ConfigurationEditor::txtDirMin_Change);
    connect(txtDirMax, &QLineEdit::textChanged, this, &ConfigurationEditor::txtDirMax_Change);
    connect(Com_discal_dune, &QPushButton::clicked, this, &ConfigurationEditor::Com_discal_dune_Click);
    connect(Command1, &QPushButton::clicked, this, &ConfigurationEditor::Command1_Click);
    return page;
}

QWidget* ConfigurationEditor::buildSetUpTab()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("ssInfoSetUp"));

    OptMode[0] = NewOption(page, QStringLiteral("OptMode_0"));
    OptMode[1] = NewOption(page, QStringLiteral("OptMode_1"));
    LabModeNor = NewLabel(page, QStringLiteral("LabModeNor"), QStringLiteral("Single Sensor"));
    LabModeDif = NewLabel(page, QStringLiteral("LabModeDif"), QStringLiteral("Differential Sensors"));
    FrMode = optionFrame(page, QStringLiteral("FrMode"), {OptMode[0], LabModeNor, OptMode[1], LabModeDif});
    OptModeGroup = optionGroup(this, QStringLiteral("OptModeGroup"), OptMode);
    connect(OptModeGroup, &QButtonGroup::idClicked, this, &ConfigurationEditor::OptMode_Click);

    OptFreq[0] = NewOption(page, QStringLiteral("OptFreq_0"), QStringLiteral("50 Hz"));
    OptFreq[1] = NewOption(page, QStringLiteral("OptFreq_1"), QStringLiteral("60 Hz"));
    FrFreq = optionFrame(page, QStringLiteral("FrFreq"), {OptFreq[0], OptFreq[1]});
    OptFreqGroup = optionGroup(this, QStringLiteral("OptFreqGroup"), OptFreq);
    connect(OptFreqGroup, &QButtonGroup::idClicked, this, &ConfigurationEditor::OptFreq_Click);

    txtAverage = NewTextBox(page, QStringLiteral("txtAverage"));
    txtAverage->setMaximumWidth(70);
    LabHead2[1] = NewLabel(page, QStringLiteral("LabHead2_1"), QStringLiteral("(Please Select The time "));
    LabHead2[2] = NewLabel(page, QStringLiteral("LabHead2_2"), QStringLiteral(" of Readings, Between0-100)"));
    cmdAvrChange = NewButton(page, QStringLiteral("cmdAvrChange"), QStringLiteral("Change"));
    cmdAvrDone = NewButton(page, QStringLiteral("cmdAvrDone"), QStringLiteral("Done"));
    cmdAvrCancel = NewButton(page, QStringLiteral("cmdAvrCancel"), QStringLiteral("Cancel"));

    OptAmbient[0] = NewOption(page, QStringLiteral("OptAmbient_0"), QStringLiteral("°C"));
    OptAmbient[1] = NewOption(page, QStringLiteral("OptAmbient_1"), QStringLiteral("°F"));
    FrAmbient = optionFrame(page, QStringLiteral("FrAmbient"), {OptAmbient[0], OptAmbient[1]});
    OptAmbientGroup = optionGroup(this, QStringLiteral("OptAmbientGroup"), OptAmbient);
    connect(OptAmbientGroup, &QButtonGroup::idClicked, this, &ConfigurationEditor::OptAmbient_Click);

    QGridLayout* grid = fieldGrid(page);
    addField(grid, lbWHead[EditHead::Mode], {line({lbWData[EditData::Mode], FrMode, nullptr})});
    addField(grid, lbWHead[EditHead::MainsFreq], {line({lbWData[EditData::Freq], FrFreq, nullptr})});
    addField(grid, lbWHead[EditHead::Damping], {line({lbWData[EditData::Damping], nullptr, cmdAvrChange}),
                                 line({LabHead2[1], txtAverage, LabHead2[2], nullptr}),
                                 line({nullptr, cmdAvrDone, cmdAvrCancel})});
    addField(grid, lbWHead[EditHead::AmbientUnits], {line({FrAmbient, nullptr})});
    finishGrid(grid);
    hideAll({LabHead2[1], txtAverage, LabHead2[2], cmdAvrDone, cmdAvrCancel});

    connect(cmdAvrChange, &QPushButton::clicked, this, &ConfigurationEditor::cmdAvrChange_Click);
    connect(cmdAvrDone, &QPushButton::clicked, this, &ConfigurationEditor::cmdAvrDone_Click);
    connect(cmdAvrCancel, &QPushButton::clicked, this, &ConfigurationEditor::cmdAvrCancel_Click);
    connect(txtAverage, &QLineEdit::textChanged, this, &ConfigurationEditor::txtAverage_Change);
    return page;
}
