#pragma once

class Operator;
class Clock;
class SerialPort;
class FileDialogs;
class ModalRunner;
class PrintDialogs;
class QSettings;

// The outside world as the program sees it: the real program hands in message boxes, the real
// clock, a serial port, the system's file and print dialogs and the user's settings file; tests
// hand in scripted ones, virtual time and a settings file of their own.
struct Seams {
    Operator& op;
    Clock& clock;
    SerialPort& port;
    FileDialogs& dialogs;
    ModalRunner& modal;
    PrintDialogs& printDialogs;
    QSettings& settings;  // what is kept between runs: reading settings, certificate numbers
};
