#include "platform/widgets/message_box_operator.h"

#include <QMessageBox>

namespace {

// Texts from a unit or a file must never be taken for markup.
QMessageBox* makeBox(QWidget* parent, const QString& title, const QString& text)
{
    auto* box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->setWindowTitle(title);
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setIcon(QMessageBox::NoIcon);
    return box;
}

} // namespace

void MessageBoxOperator::message(const QString& title, const QString& text)
{
    QMessageBox* box = makeBox(parent_, title, text);
    box->setStandardButtons(QMessageBox::Ok);
    box->exec();
    delete box;
}

bool MessageBoxOperator::ask(const QString& title, const QString& text)
{
    QMessageBox* box = makeBox(parent_, title, text);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    const bool yes = box->exec() == QMessageBox::Yes;
    delete box;
    return yes;
}
