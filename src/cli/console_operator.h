#pragma once

#include "platform/operator.h"

#include <QByteArray>

#include <functional>

// The operator of a program without windows: every message box becomes a line "Title: text" on
// the error stream, and every question is printed the same way and answered No, so that nothing
// the program asks (save an edit, connect a swapped unit) happens without a person deciding it.
class ConsoleOperator : public Operator {
public:
    explicit ConsoleOperator(std::function<void(const QByteArray&)> write) : write_(std::move(write)) {}

    void message(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;

private:
    std::function<void(const QByteArray&)> write_;
};
