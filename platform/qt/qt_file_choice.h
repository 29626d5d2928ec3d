#pragma once

#include <optional>
#include <string>

#include "platform/file_choice.h"

class QFileDialog;

// The open-file and save-file dialogs of Qt.
class CQtFileChoice : public IFileChoice {
public:
    std::optional<std::string> ChooseOpen(const FileChoiceRequest& request) override;
    std::optional<std::string> ChooseSave(const FileChoiceRequest& request) override;
};

// Sets up a file dialog for a request: filters, title, the pre-filled name and,
// when saving, the default extension and the prompt before overwriting a file.
void ConfigureFileDialog(QFileDialog& dialog, const FileChoiceRequest& request, bool save);
