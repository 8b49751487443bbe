#include "OpenFileDialog.h"

#include <QFileDialog>

QString QtOpenFileDialog::AskOpenPath(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Открыть"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(
        {QStringLiteral("Tervo Files (*.rec0)"), QStringLiteral("All Files (*.*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}
