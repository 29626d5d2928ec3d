#pragma once

#include <optional>
#include <string>

#include "platform/file_choice.h"

// No file dialogs: every choice is cancelled.
class CNoFileChoice : public IFileChoice {
public:
    std::optional<std::string> ChooseOpen(const FileChoiceRequest&) override { return std::nullopt; }
    std::optional<std::string> ChooseSave(const FileChoiceRequest&) override { return std::nullopt; }
};
