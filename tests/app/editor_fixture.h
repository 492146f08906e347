#pragma once

#include "platform/widgets/named_controls.h"
#include "app_fixture.h"
#include "model/catalogue.h"
#include "views/label_colour.h"

#include <QLineEdit>

// The program started and connected to the simulated unit: a three-wire Pt-100 (385), 0..100 °C,
// 4-20 mA, up-scale burn-out, single sensor, ambient °C, tag "TT-101".
class EditorFixture : public AppFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(startInstalled());
        w().pibConnect_Click();
        ASSERT_TRUE(app->link().state.LinkOpen) << op.transcript().toStdString();
    }

    // "New Configuration" on the connected unit.
    void openEditor()
    {
        w().pibStart_Click();
        op.boxes.clear();
    }

    ConfRecord& edit() { return app->session().EditConf; }
    ConfRecord& unitConf() { return app->session().UnitConf; }
    static bool isRed(const QWidget* box) { return BackColour(box) == Red; }
    static bool isRedText(const QWidget* label) { return labelColour(label) == Red; }
    // The last message box as "title: text", or empty when none was shown.
    QString lastBox() const { return op.boxes.empty() ? QString() : op.boxes.back().title + ": " + op.boxes.back().text; }
};
