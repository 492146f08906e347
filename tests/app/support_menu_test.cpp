#include "app_fixture.h"

#include "app/support_menu.h"
#include "history/unit_history.h"
#include "link/protocol_trace.h"
#include "link/trace_frames.h"
#include "link/ui/trace_window.h"
#include "platform/recent_messages.h"

#include <QAction>
#include <QFile>
#include <QMenu>

TEST_F(AppFixture, SupportBundleHoldsTheConnectedUnitWithItsHistory)
{
    port.setActivityHandler([this] { clock.notify(); });
    ASSERT_TRUE(startInstalled());
    ProtocolTrace trace(clock.now());
    trace.record(clock.now(), TraceKind::Sent, "t");
    RecentMessages recent(op);
    recent.message("Box", "shown");
    SupportMenu menu(*app, trace, recent);
    app->link().inspection.devices = [] { return std::vector<SerialDevice>{{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A1"}}; };

    EXPECT_TRUE(menu.facts().serial.isEmpty() && menu.facts().history.empty());  // no unit connected
    w().pibConnect_Click();
    const Stored<QString> kept = app->history().store().add(
        MakeSnapshot(app->session().UnitConf, QDateTime::currentDateTime(), {}, SnapshotStage::AsFound, {}));
    ASSERT_TRUE(kept.ok()) << kept.error.toStdString();
    const SupportFacts facts = menu.facts();
    EXPECT_EQ(facts.serial, "0512307");
    ASSERT_EQ(facts.history.size(), 2u);
    EXPECT_EQ(facts.history[0].name, "S0512307-history.txt");
    EXPECT_TRUE(facts.history[0].bytes.startsWith(kept.value.toUtf8() + '\t'));
    EXPECT_EQ(facts.history[1].name, "S0512307-" + kept.value + ".cal");
    EXPECT_TRUE(facts.ports.contains("  /dev/ttyUSB0  FT232R USB UART (FTDI, serial A1)\n"));
    EXPECT_TRUE(facts.ports.contains("\n* Com 3  (/dev/ttyUSB2)\n")) << facts.ports.toStdString();
    EXPECT_TRUE(facts.messages.endsWith(" Box: shown\n"));
    EXPECT_EQ(facts.trace, TraceText(trace, clock.now()));
    EXPECT_EQ(facts.appDir, dir.path());

    op.boxes.clear();
    dialogs.choose(path("bundle.zip"));
    menu.saveBundle();
    EXPECT_TRUE(QFile::exists(path("bundle.zip")));
    EXPECT_EQ(dialogs.shown.last(), "save *.zip");
    EXPECT_EQ(op.only(), (ScriptedOperator::Box{"Support Bundle", "The support bundle was saved as '" + path("bundle.zip") + "'."}));
    dialogs.choose(dir.path());
    menu.saveBundle();
    EXPECT_EQ(op.boxes.back().title, "Illegal Pathname");

    QMenu view, help;
    menu.addTo(view, help);
    ASSERT_EQ(help.actions().size(), 2);
    EXPECT_EQ(help.actions()[0]->text(), "Protocol Trace");
    EXPECT_EQ(help.actions()[1]->text(), "Save Support Bundle...");
    view.actions().last()->trigger();
    auto* window = w().findChild<TraceWindow*>();
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_TRUE(window->shownText().contains("> 74  InputCode"));
}
