#pragma once

#include <QString>

// The person at the keyboard: modal message boxes (OK only, no icon) and Yes/No questions.
// The GUI implements it with message boxes; tests script it.
class Operator {
public:
    virtual ~Operator() = default;
    virtual void message(const QString& title, const QString& text) = 0;
    // True when the operator answers Yes.
    virtual bool ask(const QString& title, const QString& text) = 0;
};
