#pragma once

#include "model/catalogue.h"
#include "model/session.h"
#include "support/scripted_operator.h"

#include <QAbstractButton>
#include <QTest>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

// A fresh session with the catalogue, a scripted operator, and counters standing in for the
// main window's redraw and its input-type heading.
class DialogTest : public ::testing::Test {
protected:
    // Opens a dialog the way the editor does: loaded fresh and shown.
    template <class Dialog>
    std::unique_ptr<Dialog> open()
    {
        auto dialog = std::make_unique<Dialog>(session, catalogue, op, [this] { ++redraws; }, [this] { ++headingMarks; });
        dialog->show();
        return dialog;
    }

    static void click(std::initializer_list<QAbstractButton*> buttons)
    {
        for (QAbstractButton* button : buttons)
            QTest::mouseClick(button, Qt::LeftButton);
    }

    void setInput(ConfRecord& record, std::uint8_t code) { ASSERT_TRUE(LookupInputCode(catalogue, record, code)); }

    void expectInput(std::uint8_t code, const char* name, std::uint8_t wires) const
    {
        EXPECT_EQ(session.EditConf.InputCode, code);
        EXPECT_EQ(session.EditConf.InputName, QString::fromUtf8(name));
        EXPECT_EQ(session.EditConf.Wires, wires);
    }

    Session session;
    const Catalogue catalogue = BuildCatalogue();
    ScriptedOperator op;
    int redraws = 0;
    int headingMarks = 0;
};
