#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// A pseudo-terminal in raw mode whose slave side serves as the unit's serial port. The program
// keeps a descriptor of the slave side open itself, so that the master side never reports a
// hang-up while no client has the port open (a hang-up would wake its reader endlessly).
class PseudoTerminal {
public:
    // Nothing, with `error` set, when no pseudo-terminal can be had.
    static std::unique_ptr<PseudoTerminal> open(QString& error);
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterDescriptor() const { return master_; }
    QString devicePath() const { return devicePath_; }

    // Everything the client has written so far (the master side does not block).
    QByteArray readAvailable();
    // Bytes for the client; what the slave side cannot take is dropped, as on a line.
    void write(const QByteArray& bytes);

private:
    PseudoTerminal(int master, int slave, QString devicePath);

    int master_;
    int slave_;
    QString devicePath_;
};
