#include "dialogs/input_type_dialog.h"

#include "model/operator_messages.h"
#include "model/session.h"
#include "platform/widgets/named_controls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

std::uint8_t TemperatureUnitsOf(const ConfRecord& unit)
{
    return unit.Units <= UnitsFahrenheit ? unit.Units : unit.AmbUnits;
}

InputTypeDialog::InputTypeDialog(Session& session, const Catalogue& catalogue, Operator& op,
                                 std::function<void()> showEditConf, std::function<void()> newInputChosen,
                                 QWidget* parent)
    : QDialog(parent), session_(session), catalogue_(catalogue), op_(op), showEditConf_(std::move(showEditConf)),
      newInputChosen_(std::move(newInputChosen))
{
}

void InputTypeDialog::CommonFinish()
{
    showEditConf_();
    const ConfRecord& edit = session_.EditConf;
    const ConfRecord& unit = session_.UnitConf;
    if (edit.InputName != unit.InputName && edit.InputClass != unit.InputClass && edit.InputCode != unit.InputCode) {
        newInputChosen_();
    }
}

void InputTypeDialog::addOptionGroup(QGroupBox* frame, std::span<QRadioButton*> options, const char* name,
                                     std::span<const OptionCaption> captions, std::function<void(int)> onSelected)
{
    auto* group = new QButtonGroup(frame);
    auto* rows = new QGridLayout(frame);
    rows->setColumnStretch(1, 1); // the buttons keep their own size; the labels take the rest
    for (int i = 0; i < int(options.size()); ++i) {
        const QString& caption = captions[i].caption;
        options[i] = NewOption(frame, IndexedName(QLatin1String(name), i));
        options[i]->setAccessibleName(caption);
        group->addButton(options[i], i);
        QLabel* label = NewLabel(frame, QLatin1String(captions[i].name), caption);
        *captions[i].label = label;
        rows->addWidget(options[i], i, 0);
        rows->addWidget(label, i, 1);
        connect(options[i], &QRadioButton::toggled, this, [onSelected, i](bool on) {
            if (on)
                onSelected(i);
        });
    }
}

QGroupBox* InputTypeDialog::makeFrame(const char* name, const char* caption)
{
    auto* frame = new QGroupBox(QString::fromUtf8(caption), this);
    frame->setObjectName(QLatin1String(name));
    return frame;
}

QLabel* InputTypeDialog::makeLabel(const char* name, const char* caption)
{
    return NewLabel(this, QLatin1String(name), QString::fromUtf8(caption));
}

QPushButton* InputTypeDialog::makeButton(const char* name, const char* caption, std::function<void()> onClick)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QLatin1String(name));
    connect(button, &QPushButton::clicked, this, [onClick = std::move(onClick)] { onClick(); });
    return button;
}

QHBoxLayout* InputTypeDialog::buttonRow(QPushButton* done, QPushButton* cancel)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(done);
    buttons->addWidget(cancel);
    return buttons;
}

void InputTypeDialog::stackWithButtons(std::initializer_list<QWidget*> rows, QPushButton* done, QPushButton* cancel)
{
    auto* layout = new QVBoxLayout(this);
    for (QWidget* row : rows)
        layout->addWidget(row);
    layout->addLayout(buttonRow(done, cancel));
}

bool InputTypeDialog::wiringMissing(bool chosen)
{
    if (!chosen)
        // The window's own wording, letter for letter (the literal is split across two pieces).
        NoDataMessage(op_, QStringLiteral("Illegal data. Please fill in unit specifi" "cations."));
    return !chosen;
}
