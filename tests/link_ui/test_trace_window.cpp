#include "link/protocol_trace.h"
#include "link/trace_frames.h"
#include "link/ui/trace_window.h"
#include "platform/virtual_clock.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_operator.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(TraceWindow, ShowsFramesPausesFindsAndSaves)
{
    VirtualClock clock;
    ProtocolTrace trace(0);
    ScriptedDialogs dialogs;
    ScriptedOperator op;
    TraceWindow window(trace, clock, dialogs, op);
    trace.record(0.1, TraceKind::Sent, "s");
    trace.record(0.2, TraceKind::Received, "s\x05\x0C\x03\x07");
    window.show();
    EXPECT_EQ(window.shownText(), TraceText(trace, clock.now()));

    window.setPaused(true);
    trace.record(1.0, TraceKind::Sent, "8");
    clock.advance(6);
    EXPECT_FALSE(window.shownText().contains("Reading"));
    window.setPaused(false);
    EXPECT_TRUE(window.shownText().contains("> 38  Reading  TIME-OUT"));
    trace.record(7.0, TraceKind::Sent, "r");
    clock.advance(1);  // the window's own refresh
    EXPECT_TRUE(window.shownText().contains("> 72  AmbRead"));

    EXPECT_TRUE(window.findNext("time-out"));
    EXPECT_EQ(window.selectedLine(), 1);
    EXPECT_TRUE(window.findNext("Serial"));  // wraps round to the start
    EXPECT_EQ(window.selectedLine(), 0);
    EXPECT_FALSE(window.findNext("RETRY"));

    QTemporaryDir dir;
    dialogs.choose(dir.filePath("trace.txt"));
    window.saveAsText();
    QFile saved(dir.filePath("trace.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), window.shownText());
    dialogs.choose(dir.path());  // a folder: cannot be written
    window.saveAsText();
    EXPECT_EQ(op.only().text, "Can't access file: '" + dir.path() + "'.");
}
