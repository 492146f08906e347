#include "link/ui/frm_port.h"

#include "link/port_file.h"
#include "model/operator_messages.h"
#include "link/serial_link.h"
#include "model/session.h"
#include "platform/port_names.h"
#include "platform/widgets/named_controls.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmPort::frmPort(Link& link, PortNames& portNames, QWidget* parent)
    : QDialog(parent), link_(link), portNames_(portNames)
{
    setObjectName(QStringLiteral("frmPort"));
    setWindowTitle(QStringLiteral("Change Port"));
    frPort = new QGroupBox(QStringLiteral("Select The Port No."), this);
    frPort->setObjectName(QStringLiteral("frPort"));
    auto* group = new QButtonGroup(this);
    auto* ports = new QVBoxLayout(frPort);
    for (int i = 0; i < 8; ++i) {
        OpPort[i] = NewOption(frPort, IndexedName(QStringLiteral("OpPort"), i), portNames_.captionFor(std::int16_t(i + 1)));
        group->addButton(OpPort[i], i);
        ports->addWidget(OpPort[i]);
        connect(OpPort[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                OpPort_Click(i);
        });
    }
    txtDevice = NewTextBox(this, QStringLiteral("txtDevice"));
    txtDevice->setPlaceholderText(QStringLiteral("optional, e.g. /dev/pts/3"));
    auto* device = new QFormLayout;
    device->addRow(QStringLiteral("Other device for this port:"), txtDevice);

    cmdPortDone = new QPushButton(QStringLiteral("Done"), this);
    cmdPortDone->setObjectName(QStringLiteral("cmdPortDone"));
    cmdPortCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdPortCancel->setObjectName(QStringLiteral("cmdPortCancel"));
    connect(cmdPortDone, &QPushButton::clicked, this, [this] { cmdPortDone_Click(); });
    connect(cmdPortCancel, &QPushButton::clicked, this, [this] { cmdPortCancel_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdPortDone);
    buttons->addWidget(cmdPortCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frPort);
    layout->addLayout(device);
    layout->addLayout(buttons);
    Form_Load();
}

void frmPort::Form_Load()
{
    PortChosen = false;
    const std::int16_t current = link_.state.PortNumber;
    // Selecting the current port counts as a choice, as a click would.
    if (current >= 1 && current <= 8)
        OpPort[current - 1]->setChecked(true);
}

void frmPort::OpPort_Click(int index)
{
    PortChosen = true;
    SelectedPort = std::int16_t(index + 1);
}

void frmPort::cmdPortDone_Click()
{
    if (!PortChosen) {
        NoDataMessage(link_.op, QStringLiteral("Illegal Data. Please Fill in The Port No."));
        return;
    }
    const QString device = txtDevice->text().trimmed();
    if (!device.isEmpty())
        portNames_.overrides[SelectedPort] = device;
    hide();
    link_.state.PortNumber = SelectedPort;
    WritePortFile(link_.session, link_.state.PortNumber, link_.op);
    accept();
}

void frmPort::cmdPortCancel_Click()
{
    reject();
}
