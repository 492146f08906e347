#pragma once

class Operator;
class Clock;
class SerialPort;
class FileDialogs;
class ModalRunner;
class PrintDialogs;

// The outside world as the program sees it: the real program hands in message boxes, the real
// clock, a serial port and the system's file and print dialogs; tests hand in scripted ones and
// virtual time.
struct Seams {
    Operator& op;
    Clock& clock;
    SerialPort& port;
    FileDialogs& dialogs;
    ModalRunner& modal;
    PrintDialogs& printDialogs;
};
