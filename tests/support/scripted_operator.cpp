#include "support/scripted_operator.h"

#include <gtest/gtest.h>

#include <ostream>

void ScriptedOperator::message(const QString& title, const QString& text)
{
    boxes.push_back({title, text, false});
}

bool ScriptedOperator::ask(const QString& title, const QString& text)
{
    boxes.push_back({title, text, true});
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << title.toStdString() << " / " << text.toStdString();
        return false;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

ScriptedOperator::Box ScriptedOperator::only() const
{
    EXPECT_EQ(boxes.size(), 1u) << transcript().toStdString();
    return boxes.empty() ? Box{} : boxes.back();
}

QString ScriptedOperator::transcript() const
{
    QString all;
    for (const Box& b : boxes)
        all += (b.question ? QStringLiteral("[?] ") : QStringLiteral("[!] ")) + b.title + QStringLiteral(": ") + b.text + QLatin1Char('\n');
    return all;
}

void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
