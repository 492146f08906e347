#pragma once

#include "link/serial_link.h"
#include "link/update.h"
#include "model/catalogue.h"
#include "model/session.h"
#include "platform/port_names.h"
#include "platform/virtual_clock.h"
#include "support/recording_windows.h"
#include "support/scripted_operator.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// What every link test needs besides the port: virtual time, a scripted operator, dialogs and
// windows, and a temporary program folder.
struct LinkSurroundings {
    LinkSurroundings() { session.AppDir = appDir.path(); }

    // A link on `port` as Com 1.
    Link linkOn(SerialPort& port)
    {
        Link link{session, port, clock, op, windows, portNames, catalogue};
        link.state.PortNumber = 1;
        return link;
    }

    // Runs the update set up on `link` the way the progress window does: one tick a second until it
    // ends.
    UpdateProgress runUpdate(Link& link)
    {
        UpdateProgress progress = StartUpdateProgress(link);
        for (int ticks = 0; !progress.finished && ticks < 200; ++ticks) {
            clock.advance(1.0);
            UpdateTick(link, progress);
        }
        return progress;
    }

    QTemporaryDir appDir;
    VirtualClock clock;
    Session session;
    ScriptedOperator op;
    RecordingWindows windows;
    PortNames portNames;
    Catalogue catalogue = BuildCatalogue();
};
