#pragma once

#include "dialogs/input_type_dialog.h"

#include <array>

// Choice of a potentiometer input's wiring. Nothing is written before Done, which also fixes the
// range at 0 to 100 %.
class frmpot : public InputTypeDialog {
public:
    frmpot(Session& session, const Catalogue& catalogue, Operator& op, std::function<void()> showEditConf,
           std::function<void()> newInputChosen, QWidget* parent = nullptr);

    void Optwire_Click(int index);
    void ComDone_Click();
    void Comcancel_Click();

    QLabel* Labheader;
    QGroupBox* Frwire;
    std::array<QRadioButton*, 2> Optwire{};
    QLabel* Lab3wir = nullptr;
    QLabel* Lab4wire = nullptr;
    QPushButton* ComDone;
    QPushButton* Comcancel;

    bool Chosen = false;
    int ChosenOption = 0;

private:
    void Form_Load();
};
