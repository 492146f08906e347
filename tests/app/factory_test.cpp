#include "app_fixture.h"

#include "calibration/frm_calib.h"
#include "model/conf_files.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

namespace {

class Factory : public AppFixture {
protected:
    void SetUp() override { ASSERT_TRUE(startInstalled()); }

    frmCalib& open()
    {
        w().mnuCalibTarvoItem_Click();
        return *w().findChild<frmCalib*>();
    }
    static QString rows(const frmCalib& c)  // '1' per enabled option
    {
        QString r;
        std::ranges::for_each(c.Option1, [&r](const QRadioButton* o) { r += o->isEnabled() ? '1' : '0'; });
        return r;
    }
    static QStringList values(const frmCalib& c)
    {
        QStringList texts;
        std::ranges::for_each(c.lbOption, [&texts](const QLabel* l) { texts << l->text(); });
        return texts;
    }
    // 44 lines of 16 values, as they stand.
    void writeImage(const QString& name, const std::vector<int>& bytes)
    {
        QByteArray text;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            text += QByteArray::number(bytes[i]) + (i % 16 == 15 ? "\r\n" : ",");
        writeFile(name, text);
    }
    std::vector<std::uint8_t> memory() const
    {
        return {unit.memory().factoryMemory().begin(), unit.memory().factoryMemory().end()};
    }
};

} // namespace

TEST_F(Factory, OpensOnTheBarePortAndOnlyTheMemoryRowsRespondBeforeGetValues)
{
    w().pibConnect_Click();
    frmCalib& calib = open();
    EXPECT_TRUE(calib.isVisible() && app->link().state.LinkOpen && !w().polling());
    EXPECT_EQ(label("Label13")->text(), QStringLiteral("Tarvo Calibration"));
    EXPECT_EQ(rows(calib), QStringLiteral("0000000000000011"));
    op.boxes.clear();
    QTest::mouseClick(calib.RowLabel[2], Qt::LeftButton);  // a disabled step row ignores its caption
    EXPECT_TRUE(op.boxes.empty());

    calib.Command1_Click();
    EXPECT_EQ(rows(calib), QString(16, '1'));
    EXPECT_EQ(calib.lbLabCS->text(), QStringLiteral("Check Sum OK"));
    EXPECT_EQ(values(calib).mid(8), (QStringList{"Status OK", "0512307", " 100", " 0.5", "-0.3", " 3"}));
    // A step row says that its window is not here, and nothing goes to the unit.
    QTest::mouseClick(calib.RowLabel[2], Qt::LeftButton);
    EXPECT_EQ(op.only().title, QStringLiteral("Calibration Step"));
    EXPECT_FALSE(calib.Option1[2]->isChecked());
    EXPECT_TRUE(unit.memory().blocks().empty());

    calib.Command2_Click();
    EXPECT_FALSE(calib.isVisible() || app->link().state.LinkOpen);
    open();
    EXPECT_EQ(rows(calib), QStringLiteral("0000000000000011"));
    EXPECT_EQ(values(calib), QStringList(14, QString()));
}

TEST_F(Factory, GetValuesShowsStatusBitsAndSignedValues)
{
    // Lab checksum and both output bits; steps 0..3 done in both bytes; 'm' 12000 (83.333..),
    // 'o' +1250, 'n' -300 (sign in the high byte), 'c' -272 (sign in the low byte).
    unit.setFactoryWords({0x0D, {0xFF, 0x0F}, {0x2E, 0xE0}, {0x04, 0xE2}, {0x81, 0x2C}, {0x01, 0x90}});
    frmCalib& calib = open();
    calib.Command1_Click();
    EXPECT_EQ(calib.lbLabCS->text() + calib.lbCusCS0->text() + calib.lbCusCS1->text(),
              QStringLiteral("Check Sum OKCheck Sum FaultyCheck Sum Faulty"));
    const QString ok = QStringLiteral("Status OK"), faulty = QStringLiteral("Status Faulty");
    EXPECT_EQ(values(calib), (QStringList{ok, ok, ok, ok, faulty, faulty, faulty, faulty, ok, "0512307", " 83.33",
                                          " 12.5", "-3", "-2.72"}));
    EXPECT_EQ(app->session().UnitConf.FactVal1, 8333.0f);  // kept scaled; a second read does not scale twice
    calib.Command1_Click();
    EXPECT_EQ(calib.lbOption[10]->text(), QStringLiteral(" 83.33"));

    // One output bit is not enough; a hundredfold beyond 16 bits still shows; a zero word shows nothing.
    unit.setFactoryWords({0x35, {0xFF, 0xFF}, {0x00, 0x08}});  // 'm' 8: 125000
    calib.Command1_Click();
    EXPECT_EQ(calib.lbOption[8]->text() + calib.lbOption[10]->text(), faulty + " 125000");
    unit.setFactoryWords({0x3D, {0xFF, 0xFF}, {0x00, 0x00}});
    calib.Command1_Click();
    EXPECT_EQ(calib.lbOption[10]->text(), QString());
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();

    // A garbled status reply is not read as status bits.
    unit.faults().add(FaultTrigger::onCommand('q'), Fault::wrongEcho());
    calib.Command1_Click();
    EXPECT_EQ(calib.lbLabCS->text() + calib.lbOption[8]->text(), QString());
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Communication Error", "Communication Problems, Please Try Again"}));
}

TEST_F(Factory, FlashMemorySavedToFileAndRestoredIntoTheUnit)
{
    frmCalib& calib = open();
    calib.Command1_Click();
    const std::vector<std::uint8_t> original = memory();
    // The window refuses to close (and takes no clicks) while the memory comes over.
    bool busy = false;
    clock.callAfter(1.0, [&] { calib.close(); busy = !calib.isEnabled() && calib.isVisible(); });
    dialogs.choose(path(QStringLiteral("flash.cal")));
    calib.Option1[14]->click();
    EXPECT_TRUE(busy);
    EXPECT_EQ(dialogs.proposedNames, QStringList{"0512307.cal"});
    std::vector<std::uint8_t> saved;
    ASSERT_TRUE(ReadFactoryImage(saved, path(QStringLiteral("flash.cal")), op));
    EXPECT_EQ(saved, original);

    std::vector<std::uint8_t> changed = original;
    std::fill(changed.begin() + 640, changed.end(), 0xA5);
    ASSERT_TRUE(WriteFactoryImage(changed, path(QStringLiteral("changed.cal")), op));
    dialogs.choose(path(QStringLiteral("changed.cal")));
    calib.Option1[15]->click();
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Upload Complete", "The Flash Memory Upload completed Successfully."}));
    EXPECT_EQ(memory(), changed);
    EXPECT_FALSE(calib.Option1[15]->isChecked());
}

TEST_F(Factory, RefusedFilesCancelledDialogsAndASilentUnitSendNothing)
{
    frmCalib& calib = open();
    writeImage(QStringLiteral("bad.cal"), std::vector<int>(704, 256));
    writeImage(QStringLiteral("short.cal"), std::vector<int>(703, 7));
    for (const QString& name : {QStringLiteral("short.cal"), QStringLiteral("bad.cal")}) {
        op.boxes.clear();
        dialogs.choose(path(name));
        calib.Option1[15]->click();
        EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Illegal Pathname", "Can't access file: '" + path(name) + "'."}));
    }
    op.boxes.clear();
    dialogs.cancel();
    calib.Option1[15]->click();
    calib.Option1[14]->click();  // the memory comes over; the save dialog is cancelled
    EXPECT_TRUE(op.boxes.empty()) << op.transcript().toStdString();
    dialogs.fail();
    calib.Option1[15]->click();
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Dialog box Error", "An error occured while trying to open a file."}));

    // A silent unit: nothing to save, and the upload is not completed.
    unit.faults().add(FaultTrigger::onAnyExchange(), Fault::silence(), FaultPlan::Always);
    dialogs.shown.clear();
    calib.Option1[14]->click();
    EXPECT_TRUE(dialogs.shown.isEmpty());
    ASSERT_TRUE(WriteFactoryImage(std::vector<std::uint8_t>(704, 1), path(QStringLiteral("good.cal")), op));
    dialogs.choose(path(QStringLiteral("good.cal")));
    calib.Option1[15]->click();
    EXPECT_EQ(op.boxes.back(), (ScriptedOperator::Box{"Upload Complete", "The Flash Memory Upload NOT completed."}));
    EXPECT_TRUE(unit.memory().blocks().empty());
}
