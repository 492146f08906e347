// Every window of the program left every way a person can: its confirming button, its cancel
// button, Esc, the close box (Alt+F4 asks the window to close the same way) and Enter. Esc and
// the close box must end exactly as the cancel button does (or change nothing where the window
// has none), Enter as the confirming button (as Cancel where confirming replaces the user's
// edit). Each way runs on a fresh program and a fresh unit.
#include "app_fixture.h"

#include "calibration/calibration_windows.h"
#include "calibration/frm_offset.h"
#include "history/ui/history_window.h"
#include "history/unit_history.h"
#include "link/ui/frm_status.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <functional>

namespace {

enum class Way { Nothing, Confirm, Cancel, Esc, CloseBox, Enter };

const char* wayName(Way way)
{
    constexpr const char* names[] = {"nothing", "confirm", "cancel", "Esc", "close box", "Enter"};
    return names[int(way)];
}

// What a way out left behind, in the program and in the unit.
struct Outcome {
    ConfRecord edit;
    ConfRecord unit;
    bool confirmed = false;
    UpdateSteps step = UpdateSteps::Idle;
    UpdateKinds kind = UpdateKinds::Full;
    CommandStates commandState = CommandStates::NotConnected;
    bool linkOpen = false;
    bool polling = false;
    int port = 0;
    std::size_t unitBlocks = 0;
    QByteArray unitTag;
    QString messages;
    bool windowShown = false;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* out)
{
    *out << "step " << int(o.step) << ", kind " << int(o.kind) << ", state " << int(o.commandState) << ", confirmed "
         << o.confirmed << ", link " << o.linkOpen << ", polling " << o.polling << ", port " << o.port
         << ", blocks " << o.unitBlocks << ", tag '" << o.unitTag.toStdString() << "', shown " << o.windowShown
         << ", input " << int(o.edit.InputCode) << "\n" << o.messages.toStdString();
}

struct ExitRow {
    const char* window;
    const char* confirm;  // nullptr: the window has no confirming button
    const char* cancel;   // nullptr: no cancel button
    bool connected;       // the unit is connected before the window opens
    bool modeless;        // shown beside the main window rather than waited for
    std::function<void(AppRig&)> open;
    std::function<void(AppRig&, QWidget&)> use;  // what the person does before leaving
    std::function<void(const Outcome& confirmed, const Outcome& cancelled)> check;
    bool enterConfirms = true;  // false: Enter leaves as Cancel does
};

void click(QWidget& window, const char* name)
{
    auto* button = window.findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_TRUE(button) << name;
    button->click();
}

void leave(QWidget& window, Way way, const ExitRow& row)
{
    switch (way) {
    case Way::Nothing: break;
    case Way::Confirm: click(window, row.confirm); break;
    case Way::Cancel: click(window, row.cancel); break;
    case Way::Esc: QTest::keyClick(&window, Qt::Key_Escape); break;
    case Way::CloseBox: window.close(); break;
    case Way::Enter: QTest::keyClick(&window, Qt::Key_Return); break;
    }
}

QWidget* topLevel(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            return widget;
    return nullptr;
}

// A full update of an edited tag, confirmed or not in frmStatus (an earlier update of the same
// run was confirmed).
void startTagUpdate(AppRig& r)
{
    Session& s = r.app->session();
    EditFromUnit(s);
    s.EditConf.Tag = QStringLiteral("TT-EXIT");
    r.editor().show();
    r.w().ShowEditConf();
    r.app->link().update.UpdateConfirmed = true;
    r.w().pibupdate_Click();
}

void enterOffset(AppRig& r)
{
    frmOffset& offset = r.app->calibration().offset();
    offset.txtOffset->setText(QStringLiteral("25.0"));
    offset.cmdEnterOffset->click();
}

void openInputType(AppRig& r, int option)
{
    EditFromUnit(r.app->session());
    r.editor().show();
    r.editor().Option1_Click(option);
}

// The rows of the four input-type windows: Done takes the chosen input, Cancel what the
// window wrote while choosing.
ExitRow inputTypeRow(const char* window, int option, const char* cancel, std::function<void(AppRig&, QWidget&)> use)
{
    return {window, "ComDone", cancel, true, false, [option](AppRig& r) { openInputType(r, option); }, std::move(use),
            [](const Outcome& confirmed, const Outcome& cancelled) {
                EXPECT_NE(confirmed.edit.InputCode, cancelled.unit.InputCode);
                EXPECT_EQ(cancelled.unitBlocks, confirmed.unitBlocks);  // nothing goes to the unit
            }};
}

void expectIdle(const Outcome& o)
{
    EXPECT_EQ(o.step, UpdateSteps::Idle);
    EXPECT_NE(o.commandState, CommandStates::Busy);
    EXPECT_EQ(o.polling, o.linkOpen);
    EXPECT_FALSE(o.windowShown);
}

const std::vector<ExitRow>& rows()
{
    static const std::vector<ExitRow> table{
        {"frmStatus", "Update", "Cancel", true, false, startTagUpdate, nullptr,
         [](const Outcome& confirmed, const Outcome& cancelled) {
             expectIdle(confirmed);
             expectIdle(cancelled);
             EXPECT_EQ(confirmed.unitTag, QByteArray("TT-EXIT").leftJustified(19, ' '));
             EXPECT_NE(cancelled.unitTag, confirmed.unitTag);
             EXPECT_LT(cancelled.unitBlocks, confirmed.unitBlocks);
             EXPECT_FALSE(cancelled.confirmed);
             EXPECT_EQ(confirmed.kind, cancelled.kind);
         }},
        // The progress window cannot be left half-way: every way leaves the update running to its end.
        {"ComWait", nullptr, nullptr, true, false, startTagUpdate,
         [](AppRig& r, QWidget&) { r.clock.waitFor(2.5); },
         [](const Outcome& ran, const Outcome&) {
             expectIdle(ran);
             EXPECT_EQ(ran.unitTag, QByteArray("TT-EXIT").leftJustified(19, ' '));
         }},
        // The same window writing a correction: the calibration-only kind ends with the write.
        {"ComWait", nullptr, nullptr, true, false,
         [](AppRig& r) {
             r.w().mnuOffsetitem_Click();
             enterOffset(r);
             r.op.answer(true);  // recalibrate now
             r.app->calibration().offset().cmdDone->click();
         },
         [](AppRig& r, QWidget&) { r.clock.waitFor(2.5); },
         [](const Outcome& ran, const Outcome&) {
             expectIdle(ran);
             EXPECT_EQ(ran.kind, UpdateKinds::Full);
             EXPECT_EQ(ran.unit.CalLowRef, OffsetMarker);
             EXPECT_GT(ran.unitBlocks, 0u);
         }},
        {"frmPort", "cmdPortDone", "cmdPortCancel", false, false,
         [](AppRig& r) {
             r.op.answer(false);  // no connection afterwards
             r.w().mnuChangePort_Click();
         },
         [](AppRig&, QWidget& window) { click(window, "OpPort_1"); },
         [](const Outcome& confirmed, const Outcome& cancelled) {
             EXPECT_EQ(confirmed.port, 2);
             EXPECT_EQ(cancelled.port, 3);
         }},
        inputTypeRow("RTDtype", 0, "Comcancel",
                     [](AppRig&, QWidget& w) {
                         for (const char* option : {"Opttype_0", "OptPt_1", "Optstd_1", "Optwire_0"})
                             click(w, option);
                     }),
        inputTypeRow("TCtype", 1, "ComCancel",
                     [](AppRig&, QWidget& w) { w.findChild<QListWidget*>()->item(0)->setSelected(true); }),
        inputTypeRow("frmpot", 3, "Comcancel", [](AppRig&, QWidget& w) { click(w, "Optwire_0"); }),
        inputTypeRow("ResType", 4, "Comcancel", [](AppRig&, QWidget& w) { click(w, "Optwire_1"); }),
        // Offset trimming after Enter: Cancel puts the update kind back; Done stores the trim.
        {"frmOffset", "cmdDone", "cmdCancel", true, true,
         [](AppRig& r) {
             r.op.answer(false);  // Done: not written now
             r.w().mnuOffsetitem_Click();
         },
         [](AppRig& r, QWidget&) { enterOffset(r); },
         [](const Outcome& confirmed, const Outcome& cancelled) {
             EXPECT_EQ(confirmed.kind, UpdateKinds::CorrectionStored);
             EXPECT_EQ(cancelled.kind, UpdateKinds::FullKeepingCorrection);  // as at start-up
             EXPECT_EQ(confirmed.unitBlocks, cancelled.unitBlocks);
         }},
        // A snapshot from the unit history opens in the editor; nothing goes to the unit.
        {"HistoryWindow", "restore", "close", true, false,
         [](AppRig& r) {
             ConfRecord kept = r.app->session().UnitConf;
             kept.Tag = QStringLiteral("TT-KEPT");
             kept.Serial = QStringLiteral("0999999");
             ASSERT_TRUE(r.app->history().store().add(
                 MakeSnapshot(kept, QDateTime::currentDateTime(), {}, SnapshotStage::AsFound, {})).ok());
             r.w().mnuUnitHistory_Click();
         },
         [](AppRig&, QWidget& w) {
             auto& window = static_cast<HistoryWindow&>(w);
             window.chooseUnit(QStringLiteral("0999999"));
             window.chooseSnapshots(QStringList{window.findChild<QTreeWidget*>("snapshots")->topLevelItem(0)->text(0)});
         },
         [](const Outcome& confirmed, const Outcome& cancelled) {
             EXPECT_EQ(confirmed.edit.Tag, "TT-KEPT");
             EXPECT_EQ(confirmed.edit.Serial, confirmed.unit.Serial);  // the connected unit's
             EXPECT_EQ(confirmed.commandState, CommandStates::Edited);  // Update Unit is on
             EXPECT_NE(cancelled.edit.Tag, "TT-KEPT");
             EXPECT_EQ(confirmed.unitBlocks, cancelled.unitBlocks);
         },
         false},
        // The factory window's Exit closes the port it opened.
        {"frmCalib", nullptr, "Command2", false, true, [](AppRig& r) { r.w().mnuCalibTarvoItem_Click(); }, nullptr,
         [](const Outcome&, const Outcome& cancelled) { EXPECT_FALSE(cancelled.linkOpen); }},
    };
    return table;
}

Outcome runWay(const ExitRow& row, Way way)
{
    AppRig r;
    r.unit.readings().setInput({25.3, 0, 120});
    r.port.setActivityHandler([&r] { r.clock.notify(); });
    EXPECT_TRUE(r.startInstalled());
    for (const char* name : {"pt10385.dat", "lvoid.dat"})
        QFile::copy(QStringLiteral(DATA_DIR "/") + QLatin1String(name), r.path(QLatin1String(name)));
    if (row.connected)
        r.w().pibConnect_Click();
    r.op.boxes.clear();
    r.modal.onOpen = [&](QDialog& dialog) {
        if (dialog.objectName() == QLatin1String(row.window)) {
            if (row.use)
                row.use(r, dialog);
            leave(dialog, way, row);
        } else if (auto* confirm = qobject_cast<frmStatus*>(&dialog)) {
            confirm->Update->click();
        }
    };
    row.open(r);
    QWidget* window = topLevel(row.window);
    if (row.modeless && window) {
        if (row.use)
            row.use(r, *window);
        leave(*window, way, row);
    }
    r.clock.advance(1.5);  // a poll, where polling goes on

    const Session& s = r.app->session();
    const Link& link = r.app->link();
    return {s.EditConf, s.UnitConf, link.update.UpdateConfirmed, link.update.UpdateStep, link.update.UpdateKind,
            s.CommandState, link.state.LinkOpen, r.w().polling(), link.state.PortNumber,
            r.unit.memory().blocks().size(), r.unit.memory().configuration().tag, r.op.transcript(),
            window && window->isVisible()};
}

} // namespace

TEST(WindowExits, EscAndTheCloseBoxCancelAndEnterConfirms)
{
    for (const ExitRow& row : rows()) {
        SCOPED_TRACE(row.window);
        const Outcome confirmed = runWay(row, row.confirm ? Way::Confirm : Way::Nothing);
        const Outcome cancelled = runWay(row, row.cancel ? Way::Cancel : Way::Nothing);
        row.check(confirmed, cancelled);
        for (Way way : {Way::Esc, Way::CloseBox, Way::Enter}) {
            SCOPED_TRACE(wayName(way));
            const Outcome expected = way == Way::Enter && row.enterConfirms ? confirmed : cancelled;
            // Enter is a button of its own in the modeless windows; those are left by Esc and the box.
            if (way == Way::Enter && row.modeless)
                continue;
            EXPECT_EQ(runWay(row, way), expected);
        }
    }
}

namespace {

// The label a person reads as the value of `heading`: the nearest one to its right on its line.
QString valueBeside(QWidget& window, QLabel* heading)
{
    const auto placeOf = [&window](QWidget* w) { return QRect(w->mapTo(&window, QPoint(0, 0)), w->size()); };
    const QRect h = placeOf(heading);
    QLabel* nearest = nullptr;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QRect l = placeOf(label);
        if (label != heading && !label->isHidden() && l.center().y() == h.center().y() && l.left() > h.right()
            && (!nearest || l.left() < placeOf(nearest).left()))
            nearest = label;
    }
    return nearest ? nearest->text() : QString();
}

} // namespace

using SummaryLayout = AppFixture;

// The update confirmation lists each value beside its own heading, and beside them the changes.
TEST_F(SummaryLayout, ConfirmationShowsEachValueBesideItsHeading)
{
    for (const char* name : {"pt10385.dat", "lvoid.dat"})
        QFile::copy(QStringLiteral(DATA_DIR "/") + QLatin1String(name), path(QLatin1String(name)));
    port.setActivityHandler([this] { clock.notify(); });
    ASSERT_TRUE(startInstalled());
    w().pibConnect_Click();
    Session& s = app->session();
    EditFromUnit(s);
    s.EditConf.OutMin = 4, s.EditConf.OutMax = 20, s.EditConf.Damping = 5;
    s.EditConf.DispLow = -200, s.EditConf.DispHigh = 1000;
    s.EditConf.RangeMin = -50, s.EditConf.RangeMax = 150, s.EditConf.BurnOut = 1, s.EditConf.OutDir = 1;
    editor().show();
    std::vector<std::pair<int, QString>> shown;
    QString changes;
    modal.onOpen = [&shown, &changes](QDialog& dialog) {
        auto& confirm = static_cast<frmStatus&>(dialog);
        dialog.adjustSize();
        for (int head : {0, 1, 4, 5, 6, 7, 10, 11, 12, 13, 15, 16})
            shown.emplace_back(head, valueBeside(dialog, confirm.LbHead[head]));
        changes = dialog.findChild<QLabel*>("changes")->text();
        confirm.Cancel->click();
    };
    w().pibupdate_Click();
    const ConfRecord& e = s.EditConf;
    EXPECT_EQ(shown, (std::vector<std::pair<int, QString>>{
                         {0, e.Serial}, {1, e.Tag}, {4, "-50"}, {5, "150"}, {6, "Down Scale"}, {7, "Up Scale"},
                         {10, "5"}, {11, "4"}, {12, "20"}, {13, e.AmbUnits == 0 ? "\u00B0C" : "\u00B0F"},
                         {15, "-200"}, {16, "1000"}}));
    EXPECT_EQ(changes, "Range Min. : 0 -> -50\nRange Max. : 100 -> 150\nBurn-Out : Up Scale -> Down Scale\n"
                       "Damping Time : 2 -> 5");
}
