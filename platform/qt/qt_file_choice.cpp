#include "platform/qt/qt_file_choice.h"

#include <QApplication>
#include <QFileDialog>

#include "platform/file_filter.h"

void ConfigureFileDialog(QFileDialog& dialog, const FileChoiceRequest& request, bool save) {
    if (!request.title.empty()) dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    const std::string filter = ToQtFileFilter(request.filter);
    if (!filter.empty()) dialog.setNameFilters(QString::fromStdString(filter).split(QStringLiteral(";;")));
    std::string extension = request.defaultExtension;
    if (!extension.empty() && extension.front() == '.') extension.erase(0, 1);
    if (save) dialog.setDefaultSuffix(QString::fromStdString(extension));
    if (!request.defaultName.empty()) dialog.selectFile(QString::fromStdString(request.defaultName));
}

namespace {

std::optional<std::string> Run(const FileChoiceRequest& request, bool save) {
    QFileDialog dialog(QApplication::activeWindow());
    ConfigureFileDialog(dialog, request, save);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    std::string path = files.front().toStdString();
    // A desktop's own dialog may ignore the default suffix.
    if (save) path = WithDefaultExtension(path, request.defaultExtension);
    return path;
}

} // namespace

std::optional<std::string> CQtFileChoice::ChooseOpen(const FileChoiceRequest& request) { return Run(request, false); }

std::optional<std::string> CQtFileChoice::ChooseSave(const FileChoiceRequest& request) { return Run(request, true); }
