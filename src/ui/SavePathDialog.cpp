#include "ui/SavePathDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace velta {

std::optional<std::string> askSavePath(QWidget* parent, const MessageSaveDialogSettings& settings) {
    QStringList filters;
    for (const auto& [text, pattern] : settings.filters)
        filters << QString::fromStdString(text.find('(') == std::string::npos ? text + " (" + pattern + ")" : text);
    QFileDialog dialog(parent, QString::fromStdString(settings.title),
                       QString::fromStdString(settings.initialDirectory));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
    dialog.selectFile(QString::fromStdString(settings.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace velta
