#include "link/ui/frm_port.h"

#include "link/port_file.h"
#include "model/operator_messages.h"
#include "link/serial_link.h"
#include "link/unit_finder.h"
#include "model/session.h"
#include "platform/port_names.h"
#include "platform/widgets/named_controls.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int DevicePathRole = Qt::UserRole;

} // namespace

frmPort::frmPort(Link& link, PortNames& portNames, QWidget* parent, PortWindowSeams seams)
    : QDialog(parent), link_(link), portNames_(portNames), seams_(std::move(seams))
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

    auto* choice = new QHBoxLayout;
    choice->addWidget(frPort);
    choice->addWidget(newDevicePanel(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addLayout(device);
    layout->addLayout(buttons);
    Form_Load();
}

QWidget* frmPort::newDevicePanel()
{
    auto* panel = NewFrame(this, QStringLiteral("frDevices"), QStringLiteral("Devices present"));
    lstDevices = new QListWidget(panel);
    lstDevices->setObjectName(QStringLiteral("lstDevices"));
    const QString remembered = RememberedDevice(seams_.rememberedDeviceFile);
    for (const SerialDevice& device : seams_.devices()) {
        const QString mark = device.path == remembered ? QStringLiteral("   [a unit answered here last]") : QString();
        auto* item = new QListWidgetItem(DeviceLine(device) + mark, lstDevices);
        item->setData(DevicePathRole, device.path);
    }
    connect(lstDevices, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { chooseDevice(item->data(DevicePathRole).toString()); });
    cmdFindUnit = NewButton(panel, QStringLiteral("cmdFindUnit"), QStringLiteral("Find Unit"));
    cmdFindUnit->setEnabled(!link_.state.LinkOpen);
    connect(cmdFindUnit, &QPushButton::clicked, this, [this] { cmdFindUnit_Click(); });
    lblFindUnit = NewLabel(panel, QStringLiteral("lblFindUnit"));
    lblFindUnit->setWordWrap(true);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(lstDevices);
    layout->addWidget(cmdFindUnit);
    layout->addWidget(lblFindUnit);
    return panel;
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

void frmPort::chooseDevice(const QString& device)
{
    for (int i = 0; i < 8; ++i) {
        if (portNames_.deviceFor(std::int16_t(i + 1)) == device) {
            OpPort[i]->setChecked(true);
            txtDevice->clear();
            return;
        }
    }
    txtDevice->setText(device);
}

void frmPort::cmdFindUnit_Click()
{
    // The typed device first, then the one a unit last answered on, then the others in order.
    QStringList devices{txtDevice->text().trimmed(), RememberedDevice(seams_.rememberedDeviceFile)};
    for (int i = 0; i < lstDevices->count(); ++i)
        devices << lstDevices->item(i)->data(DevicePathRole).toString();
    devices.removeAll(QString());
    devices.removeDuplicates();
    lblFindUnit->setText(QStringLiteral("Looking for a unit..."));
    // Events go on during the search: nothing in the window may start anything meanwhile.
    setEnabled(false);
    const std::optional<QString> found = FindAnsweringDevice(link_.port, link_.clock, devices);
    setEnabled(true);
    if (!found) {
        const QString tried = devices.isEmpty() ? QStringLiteral("any device") : devices.join(QStringLiteral(", "));
        lblFindUnit->setText(QStringLiteral("No unit answered on %1.").arg(tried));
        return;
    }
    chooseDevice(*found);
    for (int i = 0; i < lstDevices->count(); ++i)
        if (lstDevices->item(i)->data(DevicePathRole).toString() == *found)
            lstDevices->setCurrentRow(i);
    RememberDevice(seams_.rememberedDeviceFile, *found);
    lblFindUnit->setText(QStringLiteral("A unit answered on %1.").arg(*found));
}
