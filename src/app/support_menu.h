#pragma once

#include "bundle/support_bundle.h"

class Application;
class ProtocolTrace;
class QMenu;
class RecentMessages;
class TraceWindow;

// The support tools of the main window: "Protocol Trace" (View, and Help, which stays on while no
// unit is connected) shows the trace window; "Save Support Bundle..." (Help) writes what the
// program knows about a problem into one zip archive.
class SupportMenu {
public:
    SupportMenu(Application& app, const ProtocolTrace& trace, const RecentMessages& messages);

    // Appends the items to the main window's menus.
    void addTo(QMenu& view, QMenu& help);

    void showTrace();
    void saveBundle();

    // What the bundle would hold now.
    SupportFacts facts() const;

private:
    Application& app_;
    const ProtocolTrace& trace_;
    const RecentMessages& messages_;
    TraceWindow* traceWindow_ = nullptr;  // made on first use, owned by the main window
};
