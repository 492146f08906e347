#include "link/port_file.h"

#include "model/operator_messages.h"
#include "model/safe_file.h"
#include "model/session.h"

#include <QFile>
#include <QRegularExpression>

#include <limits>

QString PortFilePath(const QString& folder)
{
    return folder + QStringLiteral("/PortNo.txt");
}

void ReadPortFile(const Session& session, std::int16_t& portNumber, Operator& op)
{
    // Until the user has chosen a port of their own, the one shipped in the program folder.
    const QString own = PortFilePath(RecordFolder(session));
    const QString path = QFile::exists(own) ? own : PortFilePath(session.AppDir);
    QByteArray bytes;
    // The first number in the file; the file is tiny, anything large is not a port file.
    static const QRegularExpression firstNumber(QStringLiteral("^\\s*([+-]?\\d+)"));
    const auto match = ReadWholeFile(path, 4096, bytes) ? firstNumber.match(QString::fromLatin1(bytes))
                                                        : QRegularExpressionMatch();
    bool ok = match.hasMatch();
    const int number = ok ? match.captured(1).toInt(&ok) : 0;
    if (!ok || number < std::numeric_limits<std::int16_t>::min() || number > std::numeric_limits<std::int16_t>::max()) {
        IllegalPathMessage(op, CantAccessFileText(path));
        return;
    }
    portNumber = std::int16_t(number);
}

void WritePortFile(const Session& session, std::int16_t portNumber, Operator& op)
{
    const QString path = PortFilePath(RecordFolder(session));
    if (!WriteFileAtomically(path, QByteArray::number(portNumber) + "\r\n"))
        IllegalPathMessage(op, CantAccessFileText(path));
}
