#include "platform/plain_prompts.h"

#include <iostream>

PromptAnswer CStderrPrompts::Show(const std::string& text, PromptIcon, PromptButtons buttons) {
    std::string line = text;
    for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
    std::cerr << line << '\n';
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    return m_answer;
}

int CStderrPrompts::Choose(const std::string&, const std::string&, const std::vector<std::string>& options,
                           int defaultIndex) {
    if (m_choice >= 0 && m_choice < static_cast<int>(options.size())) return m_choice;
    return defaultIndex;
}
