#include "platform/recent_messages.h"

void RecentMessages::message(const QString& title, const QString& text)
{
    keep({QDateTime::currentDateTime(), title, text});
    inner_.message(title, text);
}

bool RecentMessages::ask(const QString& title, const QString& text)
{
    const QDateTime at = QDateTime::currentDateTime();
    const bool yes = inner_.ask(title, text);
    keep({at, title, text, true, yes});
    return yes;
}

void RecentMessages::keep(Shown shown)
{
    if (shown_.size() == Kept)
        shown_.pop_front();
    shown_.push_back(std::move(shown));
}

QString RecentMessages::text() const
{
    QString all;
    for (const Shown& s : shown_) {
        all += s.at.toString(Qt::ISODate) + QLatin1Char(' ') + s.title + QStringLiteral(": ") + s.text;
        if (s.question)
            all += s.answeredYes ? QStringLiteral(" -> Yes") : QStringLiteral(" -> No");
        all += QLatin1Char('\n');
    }
    return all;
}
