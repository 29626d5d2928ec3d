#pragma once

#include <string>
#include <vector>

#include "platform/prompts.h"

// Prompts for a program without a window: each text goes to standard error as
// one line, and every question gets the answer given at construction.
class CStderrPrompts : public IPrompts {
public:
    explicit CStderrPrompts(PromptAnswer answer = PromptAnswer::Ok, int choice = 0)
        : m_answer(answer), m_choice(choice) {}
    PromptAnswer Show(const std::string& text, PromptIcon icon, PromptButtons buttons) override;
    int Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& options,
               int defaultIndex) override;

private:
    PromptAnswer m_answer;
    int m_choice;
};
