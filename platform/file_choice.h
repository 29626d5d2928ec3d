#pragma once

#include <optional>
#include <string>

// The common open-file and save-file dialogs.
// The filter is written as "Vessel Files (*.k7s)|*.k7s|All Files (*.*)|*.*||".
struct FileChoiceRequest {
    std::string filter;
    std::string defaultExtension; // without the dot, e.g. "k7s"
    std::string defaultName;      // e.g. "Vessel"
    std::string title;            // empty: the platform's own title
    bool confirmOverwrite = true; // false for a file that is added to, such as a log
};

class IFileChoice {
public:
    virtual ~IFileChoice() = default;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseOpen(const FileChoiceRequest& request) = 0;
    virtual std::optional<std::string> ChooseSave(const FileChoiceRequest& request) = 0;
};
