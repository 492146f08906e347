#include "link/ui/frm_port.h"
#include "support/link_fixture.h"
#include "support/scripted_port.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

struct PortWindowTest : ::testing::Test, LinkSurroundings {
    ScriptedPort port{clock};  // every device opens; each one tried takes the next scripted reply
    Link link = linkOn(port);
    QTemporaryDir userData;
    std::vector<SerialDevice> present{{"/dev/ttyS5", "", "", ""},
                                      {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A50285BI"},
                                      {"/dev/ttyACM0", "CP2102", "Silicon Labs", ""}};

    PortWindowSeams seams() { return {[this] { return present; }, userData.filePath("last-unit-device.txt")}; }
    static QString row(const frmPort& window, int i) { return window.lstDevices->item(i)->text(); }
};

} // namespace

TEST_F(PortWindowTest, ListedDeviceChoosesItsComOrIsTypedIn)
{
    frmPort window(link, portNames, nullptr, seams());
    EXPECT_EQ(row(window, 1), "/dev/ttyUSB0  FT232R USB UART (FTDI, serial A50285BI)");
    EXPECT_EQ(row(window, 2), "/dev/ttyACM0  CP2102 (Silicon Labs)");
    window.chooseDevice("/dev/ttyUSB0");
    EXPECT_TRUE(window.OpPort[0]->isChecked());
    EXPECT_EQ(window.SelectedPort, 1);
    window.chooseDevice("/dev/ttyS5");  // no Com n opens it
    EXPECT_EQ(window.txtDevice->text(), "/dev/ttyS5");
    EXPECT_TRUE(window.OpPort[0]->isChecked());
}

TEST_F(PortWindowTest, FindUnitChoosesTheFirstDeviceThatEchoesAndRemembersIt)
{
    port.silence();                // ttyS5
    port.reply("x\x49");           // ttyUSB0: no echo
    port.reply("t\x49");           // ttyACM0: the unit
    {
        frmPort window(link, portNames, nullptr, seams());
        window.cmdFindUnit->click();
        EXPECT_EQ(port.written, (std::vector<QByteArray>{"t", "t", "t"}));  // one read a device, nothing more
        EXPECT_FALSE(port.isOpen());
        EXPECT_TRUE(window.OpPort[4]->isChecked());  // Com 5 opens /dev/ttyACM0
        EXPECT_EQ(window.lblFindUnit->text(), "A unit answered on /dev/ttyACM0.");
    }
    // Marked in the list; tried after a typed device and before the others.
    frmPort window(link, portNames, nullptr, seams());
    EXPECT_TRUE(row(window, 2).endsWith("[a unit answered here last]"));
    EXPECT_FALSE(row(window, 1).endsWith("last]"));
    window.txtDevice->setText("/dev/pts/4");
    port.silence(2);
    port.reply("t\x49");
    window.cmdFindUnit->click();
    EXPECT_EQ(window.txtDevice->text(), "/dev/ttyS5");

    window.cmdFindUnit->click();  // nothing answers
    EXPECT_EQ(window.lblFindUnit->text(), "No unit answered on /dev/ttyS5, /dev/ttyUSB0, /dev/ttyACM0.");
    EXPECT_TRUE(op.boxes.empty());
}
