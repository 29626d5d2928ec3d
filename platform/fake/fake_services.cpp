#include "platform/fake/fake_services.h"

PromptAnswer CFakePrompts::Show(const std::string& text, PromptIcon icon, PromptButtons buttons) {
    m_shown.push_back({text, icon, buttons, {}});
    if (!m_answers.empty()) {
        const PromptAnswer a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    if (m_defaultAnswer) return *m_defaultAnswer;
    switch (buttons) {
    case PromptButtons::Ok:
    case PromptButtons::OkCancel: return PromptAnswer::Ok;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel: return PromptAnswer::Yes;
    }
    return PromptAnswer::Ok;
}

int CFakePrompts::Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& options,
                         int defaultIndex) {
    m_shown.push_back({caption + "\n" + text, PromptIcon::Question, PromptButtons::OkCancel, options});
    if (!m_choices.empty()) {
        const int c = m_choices.front();
        m_choices.pop_front();
        return c;
    }
    return defaultIndex;
}

std::vector<std::string> CFakePrompts::Texts() const {
    std::vector<std::string> texts;
    for (const Shown& s : m_shown) texts.push_back(s.text);
    return texts;
}

std::optional<std::string> CFakeFileChoice::ChooseOpen(const FileChoiceRequest& request) {
    m_requests.push_back(request);
    if (m_paths.empty()) return std::nullopt;
    auto p = m_paths.front();
    m_paths.pop_front();
    return p;
}

std::optional<std::string> CFakeFileChoice::ChooseSave(const FileChoiceRequest& request) { return ChooseOpen(request); }
