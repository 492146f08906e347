#include "app/frm_about.h"

#include "delvo2_version.h"
#include "platform/widgets/named_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QString VersionText()
{
    return QStringLiteral("Version ") + QStringLiteral("MIRTAL_" DELVO2_VERSION);
}

frmAbout::frmAbout(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About ..."));
    lblVersion = NewLabel(this, QStringLiteral("lblVersion"));
    Text1 = NewTextBox(this, QStringLiteral("Text1"));
    Command1 = NewButton(this, QStringLiteral("Command1"), QStringLiteral("OK"));
    Command1->setDefault(true);

    auto* column = new QVBoxLayout(this);
    column->addWidget(lblVersion);
    column->addWidget(Text1);
    column->addWidget(Command1, 0, Qt::AlignRight);

    connect(Text1, &QLineEdit::textChanged, this, &frmAbout::Text1_Change);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    Form_Load();
}

void frmAbout::Form_Load()
{
    lblVersion->setText(VersionText());
}

void frmAbout::Text1_Change()
{
    // The box shows the version so that it can be selected and copied, never changed.
    if (Text1->text() != VersionText())
        Text1->setText(VersionText());
}

void frmAbout::Command1_Click()
{
    close();
}
