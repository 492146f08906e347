#include "platform/recent_messages.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

TEST(RecentMessages, PassesEveryBoxOnAndKeepsTheLastFifty)
{
    ScriptedOperator inner;
    RecentMessages recent(inner);
    for (int i = 1; i <= 55; ++i)
        recent.message(QStringLiteral("Box"), QString::number(i));
    inner.answer(true);
    EXPECT_TRUE(recent.ask(QStringLiteral("Save?"), QStringLiteral("Keep it")));

    EXPECT_EQ(inner.boxes.size(), 56u);
    ASSERT_EQ(recent.shown().size(), RecentMessages::Kept);
    EXPECT_EQ(recent.shown().front().text, QStringLiteral("7"));
    const QStringList lines = recent.text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 50);
    EXPECT_TRUE(lines.first().endsWith(QStringLiteral(" Box: 7"))) << lines.first().toStdString();
    EXPECT_TRUE(lines.last().endsWith(QStringLiteral(" Save?: Keep it -> Yes"))) << lines.last().toStdString();
}
