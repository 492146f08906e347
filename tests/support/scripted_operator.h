#pragma once

#include "platform/operator.h"

#include <QString>

#include <deque>
#include <vector>

// An operator that records every box it is shown and answers questions from a script.
// A question with no scripted answer fails the running test.
class ScriptedOperator : public Operator {
public:
    struct Box {
        QString title;
        QString text;
        bool question = false;
        bool operator==(const Box&) const = default;
    };

    void message(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;

    // Queue the answer to the next question.
    void answer(bool yes) { answers.push_back(yes); }

    std::vector<Box> boxes;
    std::deque<bool> answers;

    // The only box shown so far (fails the test when there is not exactly one).
    Box only() const;
    // Titles and texts of the boxes shown, in order, joined for readable assertions.
    QString transcript() const;
};

// Lets gtest print QStrings in failure messages.
void PrintTo(const QString& text, std::ostream* out);
