#include "link/ui/frm_port.h"
#include "support/link_fixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <map>

namespace {

// Serial devices with something different on each: the reply a device gives to anything written
// (empty: silence); a device not in the map does not open.
class DevicesPort : public SerialPort {
public:
    explicit DevicesPort(Clock& clock) : clock_(clock) {}
    bool open(const QString& device, const QString&, int& errorNumber) override
    {
        if (!replies.count(device)) {
            errorNumber = PortError::NoSuchPort;
            return false;
        }
        device_ = device;
        return open_ = true;
    }
    bool close(int&) override { open_ = false; return true; }
    bool isOpen() const override { return open_; }
    int bytesWaiting() const override { return int(input_.size()); }
    void discardInput() override { input_.clear(); }
    QByteArray readAll() override { return std::exchange(input_, {}); }
    void write(const QByteArray& bytes) override
    {
        written << device_ + QLatin1Char(' ') + QString::fromLatin1(bytes);
        if (const QByteArray reply = replies[device_]; !reply.isEmpty())
            clock_.callAfter(0.01, [this, reply] { input_ += reply; signalActivity(); });
    }

    std::map<QString, QByteArray> replies;
    QStringList written;

private:
    Clock& clock_;
    QString device_;
    QByteArray input_;
    bool open_ = false;
};

struct PortWindowTest : ::testing::Test, LinkSurroundings {
    DevicesPort port{clock};
    Link link = linkOn(port);
    QTemporaryDir userData;
    std::vector<SerialDevice> present{{"/dev/ttyS5", "", "", ""},
                                      {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI"},
                                      {"/dev/ttyACM0", "", "", ""},
                                      {"/dev/ttyUSB1", "CP2102", "Silicon Labs", ""},
                                      {"/dev/ttyAMA0", "", "", ""}};

    PortWindowSeams seams() { return {[this] { return present; }, userData.filePath("last-unit-device.txt")}; }

    static QStringList rows(const frmPort& window)
    {
        QStringList texts;
        for (int i = 0; i < window.lstDevices->count(); ++i)
            texts << window.lstDevices->item(i)->text();
        return texts;
    }
};

} // namespace

TEST_F(PortWindowTest, ListedDeviceChoosesItsComOrIsTypedIn)
{
    frmPort window(link, portNames, nullptr, seams());
    EXPECT_EQ(rows(window)[1], "/dev/ttyUSB0  FT232R USB UART (FTDI, serial A50285BI)");
    EXPECT_EQ(rows(window)[3], "/dev/ttyUSB1  CP2102 (Silicon Labs)");
    window.chooseDevice("/dev/ttyUSB1");
    EXPECT_TRUE(window.OpPort[1]->isChecked());
    EXPECT_EQ(window.SelectedPort, 2);
    window.chooseDevice("/dev/ttyAMA0");
    EXPECT_EQ(window.txtDevice->text(), "/dev/ttyAMA0");
    EXPECT_TRUE(window.OpPort[1]->isChecked());
}

TEST_F(PortWindowTest, FindUnitChoosesTheFirstDeviceThatEchoesAndRemembersIt)
{
    port.replies = {{"/dev/ttyUSB0", {}}, {"/dev/ttyACM0", "x\x49"}, {"/dev/ttyAMA0", "t\x49"}, {"/dev/ttyUSB1", "t\x49"}};
    {
        frmPort window(link, portNames, nullptr, seams());
        window.cmdFindUnit->click();
        // Each device before it heard one read and nothing more; none after it was touched.
        EXPECT_EQ(port.written, (QStringList{"/dev/ttyUSB0 t", "/dev/ttyACM0 t", "/dev/ttyUSB1 t"}));
        EXPECT_FALSE(port.isOpen());
        EXPECT_TRUE(window.OpPort[1]->isChecked());
        EXPECT_EQ(window.lblFindUnit->text(), "A unit answered on /dev/ttyUSB1.");
    }
    // The device last answered on is marked and tried first; a typed device comes before it.
    port.written.clear();
    port.replies["/dev/ttyUSB1"] = {};
    frmPort window(link, portNames, nullptr, seams());
    EXPECT_TRUE(rows(window)[3].endsWith("[a unit answered here last]"));
    EXPECT_FALSE(rows(window)[1].endsWith("last]"));
    window.txtDevice->setText("/dev/pts/4");
    window.cmdFindUnit->click();
    EXPECT_EQ(port.written, (QStringList{"/dev/ttyUSB1 t", "/dev/ttyUSB0 t", "/dev/ttyACM0 t", "/dev/ttyAMA0 t"}));
    EXPECT_EQ(window.txtDevice->text(), "/dev/ttyAMA0");

    port.replies.clear();
    window.cmdFindUnit->click();
    EXPECT_TRUE(window.lblFindUnit->text().startsWith("No unit answered on /dev/ttyAMA0, /dev/ttyS5, "));
    EXPECT_TRUE(op.boxes.empty());
}
