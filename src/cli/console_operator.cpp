#include "cli/console_operator.h"

#include <QString>

void ConsoleOperator::message(const QString& title, const QString& text)
{
    write_((title + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8());
}

bool ConsoleOperator::ask(const QString& title, const QString& text)
{
    write_((title + QStringLiteral(": ") + text + QStringLiteral(" -> No\n")).toUtf8());
    return false;
}
