#pragma once

#include "platform/operator.h"

class QWidget;

// The operator seen through modal message boxes: OK only and no icon for messages, Yes and No
// for questions.
class MessageBoxOperator : public Operator {
public:
    explicit MessageBoxOperator(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;

private:
    QWidget* parent_;
};
