#pragma once

#include "dialogs/input_type_dialog.h"

#include <array>

// Choice of a resistor input's wiring. An option click writes the input at once; Done sets the
// units to Ohm and clears the range.
class ResType : public InputTypeDialog {
public:
    ResType(Session& session, const Catalogue& catalogue, Operator& op, std::function<void()> showEditConf,
            std::function<void()> newInputChosen, QWidget* parent = nullptr);

    void Optwire_Click(int index);
    void ComDone_Click();
    void Comcancel_Click();

    QLabel* Labheader;
    QGroupBox* Frwire;
    std::array<QRadioButton*, 3> Optwire{};
    QLabel* Lab3wir = nullptr;
    QLabel* Lab4wire = nullptr;
    QLabel* Label1 = nullptr;  // the caption of the two-wire option
    QPushButton* ComDone;
    QPushButton* Comcancel;

    bool Chosen = false;

private:
    void Form_Load();
};
