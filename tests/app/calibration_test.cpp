#include "app_fixture.h"

#include "calibration/calibration_windows.h"
#include "calibration/frm_error.h"
#include "calibration/frm_offset.h"
#include "link/ui/com_wait.h"
#include "model/conf_files.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QByteArray CalibrationBlockHead("\x8C\x23\x22", 3);

class Calibration : public AppFixture {
protected:
    void SetUp() override
    {
        unit.readings().setInput({25.3, 0, 120});
        port.setActivityHandler([this] { clock.notify(); });
        ASSERT_TRUE(startInstalled());
        w().pibConnect_Click();
        ASSERT_TRUE(lk().state.LinkOpen) << op.transcript().toStdString();
        modal.onOpen = [this](QDialog& dialog) {
            if (auto* progress = qobject_cast<ComWait*>(&dialog))
                plannedTicks.push_back(progress->progress().Total);
        };
    }

    Session& s() { return app->session(); }
    Link& lk() { return app->link(); }
    frmOffset& offset() { return app->calibration().offset(); }
    frmError& error() { return app->calibration().error(); }
    QString recordPath() { return CalRecordPath(s().AppDir, QStringLiteral("0512307")); }

    // The unit's input moves to `value`; the next poll shows it.
    void measure(double value)
    {
        unit.readings().setInput({value, 0, 120});
        clock.advance(1.5);
    }
    void enterOffset(const QString& trueValue)
    {
        w().mnuOffsetitem_Click();
        offset().txtOffset->setText(trueValue);
        offset().cmdEnterOffset->click();
    }
    void enterPoint(int index, const QString& trueValue)
    {
        error().optError[index]->click();
        (index == 0 ? error().txtLow : error().txtHigh)->setText(trueValue);
        (index == 0 ? error().CmdEnterMin : error().CmdEnterMax)->click();
    }
    std::vector<QByteArray> calibrationBlocks()
    {
        std::vector<QByteArray> found;
        for (const WrittenBlock& b : unit.memory().blocks())
            if (b.block.startsWith(CalibrationBlockHead))
                found.push_back(b.block);
        return found;
    }
    ConfRecord savedRecord()
    {
        ConfRecord record;
        EXPECT_TRUE(ReadCalRecord(record, recordPath(), op));
        return record;
    }

    std::vector<int> plannedTicks;
};

} // namespace

TEST_F(Calibration, OffsetTrimIsWrittenAndCorrectsTheReading)
{
    EXPECT_EQ(offset().lbCurrRead->text(), QStringLiteral("25.3"));
    enterOffset(QStringLiteral("25"));
    EXPECT_TRUE(offset().cmdDone->isEnabled());
    EXPECT_EQ(app->calibration().state().TrimOffset, -0.3f);

    s().EditConf.DispLow = -100;
    op.answer(true);
    offset().cmdDone->click();
    EXPECT_EQ(op.only().text, QStringLiteral("Do You Wish To Recalibrate The Unit Now?"));
    EXPECT_EQ(plannedTicks, std::vector<int>{8});
    EXPECT_EQ(calibrationBlocks(), std::vector<QByteArray>{CalibrationBlockHead
                                                          + QByteArray("\x00\x27\x10\x80\x00\x1E\x00\x6F\xFF\x00\x6F\xFF", 12)});
    EXPECT_EQ(unit.memory().display().low, -100);
    EXPECT_TRUE(offset().isHidden());
    EXPECT_TRUE(lk().update.UpdateKind == UpdateKinds::Full && s().CommandState == CommandStates::Connected);

    const ConfRecord saved = savedRecord();
    EXPECT_EQ(std::tie(saved.CalGain, saved.CalLowRef, saved.CalLowRead), std::make_tuple(10000.0f, OffsetMarker, NoCal));
    EXPECT_FLOAT_EQ(saved.CalOffset, -30.0f);

    measure(25.3);
    EXPECT_EQ(offset().lbCurrRead->text(), QStringLiteral("25"));
    EXPECT_EQ(s().UnitConf.Reading, 25.0f);
}

TEST_F(Calibration, UndoRemovesTheCorrectionAndEntriesAskFirst)
{
    enterOffset(QStringLiteral("25"));
    op.answer(true);
    offset().cmdDone->click();
    measure(25.3);
    // The connected unit now reports its correction: both entries ask before going on.
    ASSERT_EQ(s().UnitConf.CalLowRef, OffsetMarker);
    op.boxes.clear();
    op.answer(false);
    w().mnuErrorCorrection_Click();
    EXPECT_EQ(op.only().title, QStringLiteral("Overall Calibration"));
    EXPECT_EQ(op.only().text, QStringLiteral("The Connected Unit's Offset Already Been Modified.\n\r"
                                             "Do You Wish to Recalibrate The Unit?"));
    EXPECT_TRUE(error().isHidden());

    op.answer(true);
    w().mnuOffsetitem_Click();
    EXPECT_EQ(op.boxes.back().text, QStringLiteral("The Connected Unit's Offset Already had been Change,\n\r"
                                                   "Do You Wish to Remodify The Offset?"));
    EXPECT_EQ(plannedTicks, (std::vector<int>{8, 6}));
    EXPECT_FALSE(unit.memory().calibration().isSet());
    EXPECT_EQ(unit.memory().markers().back(), (UnitMarker{1, 0x22}));
    EXPECT_FALSE(offset().isHidden());
    offset().cmdCancel->click();

    // Only the reference fields change; the record file keeps the last correction.
    EXPECT_EQ(s().UnitConf.CalLowRef, NoCal);
    EXPECT_EQ(s().UnitConf.CalGain, 10000.0f);
    EXPECT_EQ(savedRecord().CalGain, 10000.0f);
    measure(25.3);
    EXPECT_EQ(offset().lbCurrRead->text(), QStringLiteral("25.3"));

    // An undo of a unit without a correction still sends the marker and the finish.
    const int finishes = unit.finishCount();
    w().mnuUndoErrorItem_Click();
    EXPECT_EQ(unit.finishCount(), finishes + 2);
    EXPECT_EQ(lk().update.UpdateKind, UpdateKinds::Full);
}

TEST_F(Calibration, TwoPointCalibrationOfTheExamplePoints)
{
    measure(0.4);
    w().mnuErrorCorrection_Click();
    error().optError[0]->click();
    // No correction was ever saved for this unit: the record file cannot be read.
    EXPECT_EQ(op.only().title, QStringLiteral("Illegal Pathname"));
    EXPECT_EQ(op.only().text, QStringLiteral("Can't access file: '") + recordPath() + QStringLiteral("'."));
    error().txtLow->setText(QStringLiteral("0"));
    error().CmdEnterMin->click();

    measure(100.2);
    enterPoint(1, QStringLiteral("100"));
    op.boxes.clear();
    op.answer(true);
    error().cmdDone->click();
    EXPECT_EQ(op.only().title, QStringLiteral("Calibration Correction"));
    for (const ConfRecord* r : {&s().EditConf, &s().UnitConf})
        EXPECT_EQ(std::tie(r->CalGain, r->CalOffset), std::make_tuple(10020.04f, -4008.016f));
    EXPECT_EQ(calibrationBlocks(), std::vector<QByteArray>{CalibrationBlockHead
                                                          + QByteArray("\x00\x27\x24\x80\x0F\xA8\x00\x6F\xFF\x00\x6F\xFF", 12)});
    const ConfRecord saved = savedRecord();
    EXPECT_EQ(std::tie(saved.CalLowRef, saved.CalLowRead, saved.CalHighRead, saved.CalOffset),
              std::make_tuple(OffsetMarker, 0.4f, 100.2f, -4008.016f));

    // The unit now maps what it measures onto the true values.
    measure(100.2);
    EXPECT_EQ(error().lbCurrRead->text(), QStringLiteral("100"));
    measure(0.4);
    EXPECT_EQ(error().lbCurrRead->text(), QStringLiteral("0"));
}

TEST_F(Calibration, TwoPointEntriesKeepThePointsApart)
{
    w().mnuErrorCorrection_Click();
    enterPoint(0, QStringLiteral("20"));
    op.boxes.clear();
    enterPoint(1, QStringLiteral("30"));
    EXPECT_EQ(op.boxes.back().title, QStringLiteral("Invalid High Point Value"));
    EXPECT_EQ(op.boxes.back().text, QStringLiteral("The High Point Measured Value Should Exceed\n\rThe Low Point Measured Value"));
    EXPECT_TRUE(error().txtHigh->text().isEmpty());
    EXPECT_EQ(error().txtHigh->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(s().EditConf.CalHighRef, NoCal);

    measure(26);
    error().txtHigh->setText(QStringLiteral("10"));
    error().CmdEnterMax->click();
    EXPECT_EQ(op.boxes.back().title, QStringLiteral("Invalid High Value"));
    EXPECT_EQ(op.boxes.back().text, QStringLiteral("The High Point Reading Value Should Exceed\n\rThe Low Point Reading Value"));

    // Typing only resets the colour; text that is not a number is reported at Enter and kept;
    // "-" alone is a number being typed.
    op.boxes.clear();
    error().txtHigh->setText(QStringLiteral("3a"));
    EXPECT_TRUE(op.boxes.empty());
    EXPECT_EQ(error().txtHigh->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
    error().CmdEnterMax->click();
    EXPECT_EQ(op.only().text, QStringLiteral("'High Point' should receive onlt numeric data"));
    EXPECT_EQ(error().txtHigh->text(), QStringLiteral("3a"));
    error().txtHigh->setText(QStringLiteral("-"));
    error().CmdEnterMax->click();
    EXPECT_EQ(op.boxes.size(), 1u);
    EXPECT_EQ(s().EditConf.CalHighRead, NoCal);

    // An empty low box clears the low true value but still takes the reading.
    error().txtLow->clear();
    error().CmdEnterMin->click();
    EXPECT_EQ(s().EditConf.CalLowRef, NoCal);
    EXPECT_EQ(s().EditConf.CalLowRead, 26.0f);

    // Done without a whole pair asks; No saves the points as entered and writes nothing.
    op.boxes.clear();
    op.answer(false);
    error().cmdDone->click();
    EXPECT_EQ(op.only().text, QStringLiteral("The Two Temprature Points Are Missing. \n\rThe Recalibration Will Not Take Place\n\r"
                                             "Until Both Points Are Stated \n\rWould You Like to Insert The Missing Points?"));
    EXPECT_TRUE(error().isHidden());
    EXPECT_EQ(lk().update.UpdateKind, UpdateKinds::FullKeepingCorrection);
    EXPECT_EQ(savedRecord().CalLowRead, 26.0f);
    EXPECT_TRUE(calibrationBlocks().empty());
}

TEST_F(Calibration, OffsetEntriesThatAreRefused)
{
    w().mnuOffsetitem_Click();
    s().UnitConf.CalGain = 5;
    offset().txtOffset->setText(QStringLiteral("-"));
    offset().cmdEnterOffset->click();
    EXPECT_TRUE(op.boxes.empty());
    EXPECT_EQ(s().UnitConf.CalGain, NoCal);
    EXPECT_FALSE(offset().cmdDone->isEnabled());

    offset().txtOffset->setText(QString());
    offset().cmdEnterOffset->click();
    EXPECT_EQ(op.only().title, QStringLiteral("Missing Parameters"));
    EXPECT_EQ(op.only().text, QStringLiteral("The Offset Parameter Is Missing.\n\rPlease Insert The Offset Parameter."));
    EXPECT_EQ(offset().txtOffset->palette().color(QPalette::Base), QColor(255, 0, 0));

    // "." may still become a number while typing, but it is not one at Enter.
    op.boxes.clear();
    offset().txtOffset->setText(QStringLiteral("."));
    EXPECT_TRUE(op.boxes.empty());
    offset().cmdEnterOffset->click();
    EXPECT_EQ(op.only().title, QStringLiteral("Not Numeric"));
    EXPECT_EQ(op.only().text, QStringLiteral("'Offset Value' should receive onlt numeric data"));

    // A true value equal to the reading leaves nothing to correct; No cancels.
    op.boxes.clear();
    measure(25.5);
    offset().txtOffset->setText(QStringLiteral("25.5"));
    offset().cmdEnterOffset->click();
    op.answer(false);
    offset().cmdDone->click();
    EXPECT_EQ(op.only().title, QStringLiteral("Missing Values"));
    EXPECT_EQ(op.only().text, QStringLiteral("The Offset Parameter Is Mising.\n\rWould You Like To Insert This Parameter?"));
    EXPECT_TRUE(offset().isHidden());
    EXPECT_EQ(lk().update.UpdateKind, UpdateKinds::FullKeepingCorrection);

    // A voltage input takes the offset in thousandths; stored but not written on No.
    op.boxes.clear();
    s().UnitConf.InputClass = ClassVoltage;
    measure(25.3);
    enterOffset(QStringLiteral("25.2877"));
    op.answer(false);
    offset().cmdDone->click();
    EXPECT_NEAR(s().UnitConf.CalOffset, -12.3, 1e-3);
    EXPECT_EQ(lk().update.UpdateKind, UpdateKinds::CorrectionStored);
    EXPECT_TRUE(calibrationBlocks().empty());
    EXPECT_EQ(savedRecord().CalOffset, s().UnitConf.CalOffset);
}

TEST_F(Calibration, BurnOutReadingCannotBeCalibrated)
{
    unit.setBurnOut(true);
    clock.advance(1.5);
    enterOffset(QStringLiteral("25"));
    const ScriptedOperator::Box burnOut{QStringLiteral("Burn Out Reading"),
                                        QStringLiteral("Since The Current Reading Is Burn Out,\n\r"
                                                       "It's Not Possible to Recalibrate The Unit.")};
    EXPECT_EQ(op.only(), burnOut);
    EXPECT_TRUE(offset().isHidden());
    EXPECT_EQ(lk().update.UpdateKind, UpdateKinds::FullKeepingCorrection);

    op.boxes.clear();
    lk().update.UpdateKind = UpdateKinds::Full;
    w().mnuErrorCorrection_Click();
    error().optError[1]->click();
    EXPECT_EQ(op.only(), burnOut);
    EXPECT_TRUE(error().isHidden());
}
