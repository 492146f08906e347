#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;
struct Link;
struct PortNames;

// The choice of the serial port: Com 1 .. Com 8 (each with the device it opens) and, for devices
// the list cannot know (pseudo-terminals, unusual adapters), a typed device path for the chosen
// port number. Done writes the port file.
class frmPort : public QDialog {
    Q_OBJECT

public:
    frmPort(Link& link, PortNames& portNames, QWidget* parent = nullptr);

    void OpPort_Click(int index);
    void cmdPortDone_Click();
    void cmdPortCancel_Click();

    QGroupBox* frPort;
    std::array<QRadioButton*, 8> OpPort{};
    QLineEdit* txtDevice;
    QPushButton* cmdPortDone;
    QPushButton* cmdPortCancel;

    std::int16_t SelectedPort = 0;
    bool PortChosen = false;

private:
    void Form_Load();

    Link& link_;
    PortNames& portNames_;
};
