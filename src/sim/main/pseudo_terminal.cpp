#include "pseudo_terminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

std::unique_ptr<PseudoTerminal> PseudoTerminal::open(QString& error)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0) {
        error = systemError("posix_openpt");
        return nullptr;
    }
    char name[256] = {};
    if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        error = systemError("pseudo-terminal set-up");
        ::close(master);
        return nullptr;
    }
    const int slave = ::open(name, O_RDWR | O_NOCTTY);
    termios settings{};
    bool raw = slave >= 0 && tcgetattr(slave, &settings) == 0;
    if (raw) {
        // Raw bytes both ways: no echo, no line editing, no translation of line ends. (The
        // kernel refuses parity on a pseudo-terminal, so none is asked for.)
        cfmakeraw(&settings);
        cfsetspeed(&settings, B9600);
        settings.c_cflag |= CLOCAL | CREAD;
        raw = tcsetattr(slave, TCSANOW, &settings) == 0;
    }
    if (!raw) {
        error = systemError("pseudo-terminal slave");
        if (slave >= 0)
            ::close(slave);
        ::close(master);
        return nullptr;
    }
    return std::unique_ptr<PseudoTerminal>(new PseudoTerminal(master, slave, QString::fromLocal8Bit(name)));
}

PseudoTerminal::PseudoTerminal(int master, int slave, QString devicePath)
    : master_(master), slave_(slave), devicePath_(std::move(devicePath))
{
}

PseudoTerminal::~PseudoTerminal()
{
    ::close(slave_);
    ::close(master_);
}

QByteArray PseudoTerminal::readAvailable()
{
    QByteArray bytes;
    char buffer[256];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        bytes.append(buffer, qsizetype(n));
    }
    return bytes;
}

void PseudoTerminal::write(const QByteArray& bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (n <= 0)
            break;
        sent += n;
    }
}
