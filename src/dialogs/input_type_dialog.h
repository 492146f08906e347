#pragma once

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>

class Operator;
class QGroupBox;
class QLabel;
class QHBoxLayout;
class QPushButton;
class QRadioButton;
struct Catalogue;
struct ConfRecord;
struct Session;

// The wiring option buttons list three-wire, four-wire, two-wire; the record's wiring index is
// 0 two-, 1 three-, 2 four-wire.
constexpr std::uint8_t WiringOfOption(int option) { return std::uint8_t((option + 1) % 3); }

// Units of a new temperature sensor: the connected unit's units when it measures in °C or °F,
// else its ambient units.
std::uint8_t TemperatureUnitsOf(const ConfRecord& unit);

// What the four input-type windows share: the records they write, the catalogue, the operator,
// the main window's redraw of the edited configuration, and what the main window does for an
// input that is new to the connected unit (marks its heading, asks for a full update).
class InputTypeDialog : public QDialog {
protected:
    InputTypeDialog(Session& session, const Catalogue& catalogue, Operator& op, std::function<void()> showEditConf,
                    std::function<void()> newInputChosen, QWidget* parent);

    // Redraws the edited configuration; an input whose name, class and code all differ from the
    // connected unit's is new to it (newInputChosen).
    void CommonFinish();

    // Where an option button's caption label goes and what it is called.
    struct OptionCaption {
        QLabel** label;
        const char* name;
        QString caption;
    };
    // Fills the frame with one option button per caption, each beside its label, all in one
    // exclusive group named name_0, name_1, ... The handler runs whenever a button becomes
    // selected, by a click or from code.
    void addOptionGroup(QGroupBox* frame, std::span<QRadioButton*> options, const char* name,
                        std::span<const OptionCaption> captions, std::function<void(int)> onSelected);

    QGroupBox* makeFrame(const char* name, const char* caption);
    QLabel* makeLabel(const char* name, const char* caption);
    QPushButton* makeButton(const char* name, const char* caption, std::function<void()> onClick);
    // Done of a wiring window with no wiring chosen: tells the operator; true when that happened.
    bool wiringMissing(bool chosen);
    // The Done and Cancel buttons side by side at the right.
    static QHBoxLayout* buttonRow(QPushButton* done, QPushButton* cancel);
    // The window's controls from top to bottom, the button row last.
    void stackWithButtons(std::initializer_list<QWidget*> rows, QPushButton* done, QPushButton* cancel);

    Session& session_;
    const Catalogue& catalogue_;
    Operator& op_;
    std::function<void()> showEditConf_;
    std::function<void()> newInputChosen_;
};
