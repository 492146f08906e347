#pragma once

#include <functional>

class Clock;
class QDialog;

// Shows windows modally. With the real clock a dialog runs its own event loop; under the virtual
// clock the dialog is shown and the clock runs until it closes, so a whole command with its
// windows runs in virtual time. Tests script the user through onOpen, which runs as each dialog
// appears.
class ModalRunner {
public:
    ModalRunner(Clock& clock, bool virtualTime) : clock_(clock), virtualTime_(virtualTime) {}

    // Returns the dialog's result code.
    int run(QDialog& dialog);

    std::function<void(QDialog&)> onOpen;

private:
    Clock& clock_;
    bool virtualTime_;
};
