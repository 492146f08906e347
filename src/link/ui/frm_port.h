#pragma once

#include "link/port_diagnosis.h"
#include "link/system_ports.h"
#include "platform/user_folders.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QGroupBox;
struct Link;
struct PortNames;

// What the port window learns from the system: the serial devices present, and the file that
// remembers the device a unit last answered on.
struct PortWindowSeams {
    std::function<std::vector<SerialDevice>()> devices = SystemSerialDevices;
    QString rememberedDeviceFile = RememberedDeviceFile();
};

// The choice of the serial port: Com 1 .. Com 8 (each with the device it opens) and, for devices
// the list cannot know (pseudo-terminals, unusual adapters), a typed device path for the chosen
// port number. Done writes the port file.
// Beside them, the serial devices present with their makers and products (the one a unit last
// answered on marked): choosing one chooses its Com n, or types it in. Find Unit tries each (the
// typed device first, then the one last answered on) and chooses the first a unit answers on.
class frmPort : public QDialog {
    Q_OBJECT

public:
    frmPort(Link& link, PortNames& portNames, QWidget* parent = nullptr, PortWindowSeams seams = {});

    void OpPort_Click(int index);
    void cmdPortDone_Click();
    void cmdPortCancel_Click();
    void cmdFindUnit_Click();
    // The Com n that opens `device`, else `device` typed in for the chosen port number.
    void chooseDevice(const QString& device);

    QGroupBox* frPort;
    std::array<QRadioButton*, 8> OpPort{};
    QLineEdit* txtDevice;
    QPushButton* cmdPortDone;
    QPushButton* cmdPortCancel;
    QListWidget* lstDevices;
    QPushButton* cmdFindUnit;
    QLabel* lblFindUnit;

    std::int16_t SelectedPort = 0;
    bool PortChosen = false;

private:
    void Form_Load();
    QWidget* newDevicePanel();

    Link& link_;
    PortNames& portNames_;
    PortWindowSeams seams_;
};
