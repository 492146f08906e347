#include "platform/console_input.h"

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

long readStandardInput(char* buffer, unsigned size)
{
#ifdef Q_OS_WIN
    return _read(_fileno(stdin), buffer, size);
#else
    return long(::read(fileno(stdin), buffer, size));
#endif
}

} // namespace

ConsoleInput::ConsoleInput(std::function<void(const QByteArray&)> line, std::function<void()> ended)
    : notifier_(fileno(stdin), QSocketNotifier::Read), line_(std::move(line)), ended_(std::move(ended))
{
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { readAvailable(); });
}

void ConsoleInput::readAvailable()
{
    char buffer[4096];
    const long count = readStandardInput(buffer, sizeof buffer);
    if (count < 0 && errno == EINTR)
        return;
    if (count <= 0) {
        notifier_.setEnabled(false);
        ended_();
        return;
    }
    pending_.append(buffer, count);
    for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
        QByteArray text = pending_.left(end);
        pending_.remove(0, end + 1);
        if (text.endsWith('\r'))
            text.chop(1);
        line_(text);
    }
}
