#pragma once

#include "dialogs/input_type_dialog.h"

#include <array>
#include <optional>

// Choice of a resistance thermometer: metal, nickel type or platinum size and curve, wiring.
// Done writes the input, the units and the range of the edited configuration.
class RTDtype : public InputTypeDialog {
public:
    RTDtype(Session& session, const Catalogue& catalogue, Operator& op, std::function<void()> showEditConf,
            std::function<void()> newInputChosen, QWidget* parent = nullptr);

    void Opttype_Click(int index);
    void OptNi_Click(int index);
    void OptPt_Click(int index);
    void Optstd_Click(int index);
    void Optwire_Click(int index);
    void ComDone_Click();
    void Comcancel_Click();
    void EnableNickel(bool enabled);
    void EnablePlatinum(bool enabled);

    QLabel* LabHeader;
    QGroupBox* Frmetal;
    std::array<QRadioButton*, 3> Opttype{};
    QLabel* LabPt = nullptr;
    QLabel* LabNi = nullptr;
    QLabel* LabCu = nullptr;
    QGroupBox* FrNi;
    std::array<QRadioButton*, 3> OptNi{};
    QLabel* LabNi120 = nullptr;
    QLabel* LabNi1000 = nullptr;
    QLabel* LabNiFe = nullptr;
    QGroupBox* FrPt;
    std::array<QRadioButton*, 4> OptPt{};
    QLabel* Lab50 = nullptr;
    QLabel* Lab100 = nullptr;
    QLabel* Lab500 = nullptr;
    QLabel* Lab1000 = nullptr;
    QGroupBox* Frstand;
    std::array<QRadioButton*, 2> Optstd{};
    QLabel* Lab385 = nullptr;
    QLabel* Lab392 = nullptr;
    QGroupBox* Frwire;
    std::array<QRadioButton*, 3> Optwire{};
    QLabel* Lab3wir = nullptr;
    QLabel* Lab4wire = nullptr;
    QLabel* Label1 = nullptr;  // the caption of the two-wire option
    QPushButton* ComDone;
    QPushButton* Comcancel;

    // The choices so far, by option index (metal 0 platinum, 1 nickel, 2 copper).
    std::optional<int> Wiring;
    std::optional<int> Metal;
    int NickelType = 0;
    int PlatinumSize = 0;
    std::optional<int> Standard;

private:
    void Form_Load();
};
