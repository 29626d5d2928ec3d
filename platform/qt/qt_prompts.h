#pragma once

#include <string>
#include <vector>

#include "platform/prompts.h"

// Message boxes and choices shown as Qt dialogs over the active window.
class CQtPrompts : public IPrompts {
public:
    PromptAnswer Show(const std::string& text, PromptIcon icon = PromptIcon::None,
                      PromptButtons buttons = PromptButtons::Ok) override;
    int Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& options,
               int defaultIndex) override;
    // A modeless box that never takes the keyboard; while a question is open the
    // alarm waits for it to be answered rather than covering it.
    void Alert(const std::string& text) override;
};

// The title of every message box of the program.
inline constexpr const char* kPromptTitle = "Keelmark Lite";
