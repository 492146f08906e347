#include "platform/widgets/system_file_dialogs.h"

#include <QFileDialog>

namespace {

// "*.cal, *.*" becomes the name filters "*.cal" and "*.*".
QStringList nameFilters(const QString& filter)
{
    QStringList filters;
    for (const QString& part : filter.split(QLatin1Char(','), Qt::SkipEmptyParts))
        filters << part.trimmed();
    return filters;
}

DialogResult run(QWidget* parent, const QString& filter, const QString& proposedName, bool saving)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(nameFilters(filter));
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {DialogResult::Cancelled, {}};
    return {DialogResult::Chosen, dialog.selectedFiles().constFirst()};
}

} // namespace

DialogResult SystemFileDialogs::openFile(const QString& filter)
{
    return run(parent_, filter, {}, false);
}

DialogResult SystemFileDialogs::saveFile(const QString& filter, const QString& proposedName)
{
    return run(parent_, filter, proposedName, true);
}
