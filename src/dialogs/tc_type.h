#pragma once

#include "dialogs/input_type_dialog.h"

class QListWidget;

// Choice of a thermocouple type. A click in the list writes the input at once; Done sets the
// units and clears the range.
class TCtype : public InputTypeDialog {
public:
    TCtype(Session& session, const Catalogue& catalogue, Operator& op, std::function<void()> showEditConf,
           std::function<void()> newInputChosen, QWidget* parent = nullptr);

    void ListType_Click();
    void ComDone_Click();
    void ComCancel_Click();

    QLabel* LabHeader;
    QListWidget* ListType;   // list position = thermocouple index of the catalogue
    QLabel* LabUnit;         // the chosen thermocouple, shown once one is chosen
    QPushButton* ComDone;
    QPushButton* ComCancel;

private:
    // The selected list position, or -1 when no entry is selected.
    int selectedType() const;
};
