#pragma once

#include "platform/operator.h"

#include <QDateTime>
#include <QString>

#include <deque>

// Passes every box on to the operator it wraps and keeps the last ones shown, each with its
// moment (and a question's answer), so that a support bundle can tell what the user saw.
class RecentMessages : public Operator {
public:
    static constexpr std::size_t Kept = 50;

    struct Shown {
        QDateTime at;
        QString title;
        QString text;
        bool question = false;
        bool answeredYes = false;
    };

    explicit RecentMessages(Operator& inner) : inner_(inner) {}

    void message(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;

    const std::deque<Shown>& shown() const { return shown_; }
    // Oldest first: "2025-03-01T10:15:02 Title: text" (a question ends "-> Yes" or "-> No").
    QString text() const;

private:
    void keep(Shown shown);

    Operator& inner_;
    std::deque<Shown> shown_;
};
