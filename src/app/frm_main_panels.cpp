// The panels of the main window: the connected unit's frames and the four-tab editor.

#include "platform/widgets/named_controls.h"
#include "app/frm_main.h"

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

void frmMain::buildUnitPanels(QWidget* central)
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
    Label8[0] = NewLabel(central, QStringLiteral("Label8_0"), QStringLiteral("Read at :"));
    Label8[1] = NewLabel(central, QStringLiteral("Label8_1"), QStringLiteral(" low range                high range"));

    frCurrent[0] = NewFrame(central, QStringLiteral("frCurrent_0"), QStringLiteral("Connected unit's Configuration :"));
    QGridLayout* config = unitGrid(frCurrent[0]);
    addUnitRow(config, LbHead[0], LbData[0]);
    addUnitRow(config, LbHead[1], LbData[1]);
    addUnitRow(config, LbHead[2], LbData[2]);
    addUnitRow(config, LbHead[3], LbData[14]);
    addUnitRow(config, LbHead[4], LbData[3], LbUnit[0]);
    addUnitRow(config, LbHead[5], LbData[4], LbUnit[1]);
    config->setRowStretch(config->rowCount(), 1);

    frCurrent[1] = NewFrame(central, QStringLiteral("frCurrent_1"));
    QGridLayout* output = unitGrid(frCurrent[1]);
    addUnitRow(output, LbHead[8], LbData[7]);
    addUnitRow(output, LbHead[9], LbData[8]);
    addUnitRow(output, LbHead[14], LbData[16]);
    addUnitRow(output, LbHead[15], LbData[17]);
    addUnitRow(output, LbHead[10], LbData[9]);
    addUnitRow(output, LbHead[11], LbData[10]);
    addUnitRow(output, LbHead[16], LbData[18]);
    addUnitRow(output, LbHead[17], LbData[19]);
    addUnitRow(output, LbHead[18], nullptr);
    addUnitRow(output, LbHead[19], LbData[20]);
    addUnitRow(output, LbHead[20], LbData[21]);
    addUnitRow(output, LbHead[21], LbData[22]);
    output->setRowStretch(output->rowCount(), 1);

    frCurrentReading = NewFrame(central, QStringLiteral("frCurrentReading"), QStringLiteral("Present Readings :"));
    QGridLayout* readings = unitGrid(frCurrentReading);
    addUnitRow(readings, LbHead[12], LbData[13], LbUnit[4]);
    addUnitRow(readings, LbHead[13], LbData[11], LbUnit[5]);
    addUnitRow(readings, LbHead[7], LbData[6], LbUnit[3]);
    addUnitRow(readings, LbHead[6], LbData[5], LbUnit[2]);
    // Date and time of the reading, side by side across the value and unit columns.
    const int readAt = readings->rowCount();
    readings->addWidget(Label8[0], readAt, 0);
    auto* stamp = new QHBoxLayout;
    stamp->setSpacing(12);
    stamp->addWidget(LbData[12]);
    stamp->addWidget(LbData[15]);
    stamp->addStretch();
    readings->addLayout(stamp, readAt, 1, 1, 2);
    cmdResetMin = NewButton(frCurrentReading, QStringLiteral("cmdResetMin"), QStringLiteral("Reset"));
    cmdResetMin->setToolTip(QStringLiteral("Resets Minimum Readings"));
    connect(cmdResetMin, &QPushButton::clicked, this, &frmMain::cmdResetMin_Click);
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

void frmMain::buildEditor(QWidget* central)
{
    static const char* const headCaptions[15] = {
        "Serial Number :", "Tag Name :", "Select The Sensor Type :", "Input Range :", "Min", "Max",
        "Burn-Out :", "Output range :", "Mains Frequency :", "Mode :", "Damping Time :", "Min", "Max",
        "Ambient Temperature Units :", "Range Display :",
    };
    ssInfo = new QTabWidget(central);
    ssInfo->setObjectName(QStringLiteral("ssInfo"));
    for (std::size_t i = 0; i < lbWHead.size(); ++i)
        lbWHead[i] = NewLabel(ssInfo, IndexedName(QStringLiteral("lbWHead"), int(i)), QString::fromUtf8(headCaptions[i]));
    for (std::size_t i = 0; i < lbWData.size(); ++i)
        lbWData[i] = NewLabel(ssInfo, IndexedName(QStringLiteral("lbWData"), int(i)));
    for (std::size_t i = 0; i < lbWUnit.size(); ++i)
        lbWUnit[i] = NewLabel(ssInfo, IndexedName(QStringLiteral("lbWUnit"), int(i)));

    ssInfo->addTab(buildGeneralTab(), QStringLiteral("General"));
    ssInfo->addTab(buildSensorTab(), QStringLiteral("Sensor"));
    ssInfo->addTab(buildInputOutputTab(), QStringLiteral("Input / Output"));
    ssInfo->addTab(buildSetUpTab(), QStringLiteral("Set-Up"));
    // Visible only while a configuration is open.
    ssInfo->hide();
}

QWidget* frmMain::buildGeneralTab()
{
    auto* page = new QWidget(ssInfo);
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
    addField(grid, lbWHead[0], {line({lbWData[0], nullptr, cmdSerialChange}),
                                line({txtSerial, nullptr, cmdSerialDone, cmdSerialCancel})});
    addField(grid, lbWHead[1], {line({lbWData[1], nullptr, cmdTagChange}),
                                line({LbHeader, TxtTag, LabHead2[0]}),
                                line({nullptr, ComTagDone, ComTagCancel})});
    finishGrid(grid);
    hideAll({txtSerial, cmdSerialDone, cmdSerialCancel, LbHeader, TxtTag, LabHead2[0], ComTagDone, ComTagCancel});

    connect(cmdSerialChange, &QPushButton::clicked, this, &frmMain::cmdSerialChange_Click);
    connect(cmdSerialDone, &QPushButton::clicked, this, &frmMain::cmdSerialDone_Click);
    connect(cmdSerialCancel, &QPushButton::clicked, this, &frmMain::cmdSerialCancel_Click);
    connect(cmdTagChange, &QPushButton::clicked, this, &frmMain::cmdTagChange_Click);
    connect(ComTagDone, &QPushButton::clicked, this, &frmMain::ComTagDone_Click);
    connect(ComTagCancel, &QPushButton::clicked, this, &frmMain::ComTagCancel_Click);
    connect(TxtTag, &QLineEdit::textChanged, this, &frmMain::TxtTag_Change);
    return page;
}

QWidget* frmMain::buildSensorTab()
{
    auto* page = new QWidget(ssInfo);
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
    connect(Option1Group, &QButtonGroup::idClicked, this, &frmMain::Option1_Click);

    auto* column = new QVBoxLayout(page);
    column->addWidget(lbWHead[2]);
    column->addWidget(Frame2);
    column->addWidget(lbWData[2]);
    column->addStretch(1);
    return page;
}

QWidget* frmMain::buildInputOutputTab()
{
    auto* page = new QWidget(ssInfo);
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
    connect(OptTempGroup, &QButtonGroup::idClicked, this, &frmMain::OptTemp_Click);
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
    connect(OptBurnGroup, &QButtonGroup::idClicked, this, &frmMain::OptBurn_Click);

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
    addField(grid, lbWHead[3], {line({lbWData[3], lbWHead[4], lbWData[4], lbWUnit[0], lbWHead[5], lbWData[5], lbWUnit[1], nullptr, cmdChangeRange}),
                                line({LabTemp, LabMinTemp, txtTempMin, LabMaxTemp, TxtTempMax, nullptr}),
                                line({FrTemp[0], FrTemp[1], FrTemp[2], nullptr, cmdRangeDone, cmdRangeCancel})});
    addField(grid, lbWHead[6], {line({lbWData[6], FrBurn, nullptr})});
    addField(grid, lbWHead[7], {line({lbWData[7], lbWHead[11], lbWData[10], lbWHead[12], lbWData[11], nullptr, cmdDirChange}),
                                line({lblDir, lblMinDir, txtDirMin, lblMaxDir, txtDirMax, nullptr, cmdDirDone, cmsDirCancel})});
    addField(grid, lbWHead[14], {line({Label8[1], nullptr}),
                                 line({txt_discall, txt_discalh, nullptr, Com_discal_dune, Command1})});
    finishGrid(grid);
    hideAll({LabTemp, LabMinTemp, txtTempMin, LabMaxTemp, TxtTempMax, FrTemp[0], FrTemp[1], FrTemp[2],
             cmdRangeDone, cmdRangeCancel, lblDir, lblMinDir, txtDirMin, lblMaxDir, txtDirMax, cmdDirDone, cmsDirCancel});

    connect(cmdChangeRange, &QPushButton::clicked, this, &frmMain::cmdChangeRange_Click);
    connect(cmdRangeDone, &QPushButton::clicked, this, &frmMain::cmdRangeDone_Click);
    connect(cmdRangeCancel, &QPushButton::clicked, this, &frmMain::cmdRangeCancel_Click);
    connect(txtTempMin, &QLineEdit::textChanged, this, &frmMain::txtTempMin_Change);
    connect(TxtTempMax, &QLineEdit::textChanged, this, &frmMain::TxtTempMax_Change);
    connect(cmdDirChange, &QPushButton::clicked, this, &frmMain::cmdDirChange_Click);
    connect(cmdDirDone, &QPushButton::clicked, this, &frmMain::cmdDirDone_Click);
    connect(cmsDirCancel, &QPushButton::clicked, this, &frmMain::cmsDirCancel_Click);
    connect(txtDirMin, &QLineEdit::textChanged, this, &frmMain::txtDirMin_Change);
    connect(txtDirMax, &QLineEdit::textChanged, this, &frmMain::txtDirMax_Change);
    connect(Com_discal_dune, &QPushButton::clicked, this, &frmMain::Com_discal_dune_Click);
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    return page;
}

QWidget* frmMain::buildSetUpTab()
{
    auto* page = new QWidget(ssInfo);
    page->setObjectName(QStringLiteral("ssInfoSetUp"));

    OptMode[0] = NewOption(page, QStringLiteral("OptMode_0"));
    OptMode[1] = NewOption(page, QStringLiteral("OptMode_1"));
    LabModeNor = NewLabel(page, QStringLiteral("LabModeNor"), QStringLiteral("Single Sensor"));
    LabModeDif = NewLabel(page, QStringLiteral("LabModeDif"), QStringLiteral("Differential Sensors"));
    FrMode = optionFrame(page, QStringLiteral("FrMode"), {OptMode[0], LabModeNor, OptMode[1], LabModeDif});
    OptModeGroup = optionGroup(this, QStringLiteral("OptModeGroup"), OptMode);
    connect(OptModeGroup, &QButtonGroup::idClicked, this, &frmMain::OptMode_Click);

    OptFreq[0] = NewOption(page, QStringLiteral("OptFreq_0"), QStringLiteral("50 Hz"));
    OptFreq[1] = NewOption(page, QStringLiteral("OptFreq_1"), QStringLiteral("60 Hz"));
    FrFreq = optionFrame(page, QStringLiteral("FrFreq"), {OptFreq[0], OptFreq[1]});
    OptFreqGroup = optionGroup(this, QStringLiteral("OptFreqGroup"), OptFreq);
    connect(OptFreqGroup, &QButtonGroup::idClicked, this, &frmMain::OptFreq_Click);

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
    connect(OptAmbientGroup, &QButtonGroup::idClicked, this, &frmMain::OptAmbient_Click);

    QGridLayout* grid = fieldGrid(page);
    addField(grid, lbWHead[9], {line({lbWData[9], FrMode, nullptr})});
    addField(grid, lbWHead[8], {line({lbWData[8], FrFreq, nullptr})});
    addField(grid, lbWHead[10], {line({lbWData[12], nullptr, cmdAvrChange}),
                                 line({LabHead2[1], txtAverage, LabHead2[2], nullptr}),
                                 line({nullptr, cmdAvrDone, cmdAvrCancel})});
    addField(grid, lbWHead[13], {line({FrAmbient, nullptr})});
    finishGrid(grid);
    hideAll({LabHead2[1], txtAverage, LabHead2[2], cmdAvrDone, cmdAvrCancel});

    connect(cmdAvrChange, &QPushButton::clicked, this, &frmMain::cmdAvrChange_Click);
    connect(cmdAvrDone, &QPushButton::clicked, this, &frmMain::cmdAvrDone_Click);
    connect(cmdAvrCancel, &QPushButton::clicked, this, &frmMain::cmdAvrCancel_Click);
    connect(txtAverage, &QLineEdit::textChanged, this, &frmMain::txtAverage_Change);
    return page;
}
