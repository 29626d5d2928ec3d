#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/plain_services.h"
#include "platform/services.h"

// A clock the test sets; local time is UTC plus a chosen offset.
class CFakeClock : public IClock {
public:
    explicit CFakeClock(CTime now = CTime::FromUtc(2026, 1, 1)) : m_now(now) {}
    CTime Now() const override { return m_now; }
    long LocalOffsetSeconds(CTime) const override { return m_offset; }
    // With `summerOnly` daylight saving is in force from April to September.
    bool IsDaylightSaving(CTime at) const override {
        const int month = at.Utc().month;
        return m_daylightSaving && (!m_summerOnly || (month >= 4 && month <= 9));
    }

    void Set(CTime now) { m_now = now; }
    void Advance(std::int64_t seconds) { m_now = m_now + seconds; }
    void SetLocalOffset(long seconds, bool daylightSaving = false, bool summerOnly = false) {
        m_offset = seconds;
        m_daylightSaving = daylightSaving;
        m_summerOnly = summerOnly;
    }

private:
    CTime m_now;
    long m_offset = 0;
    bool m_daylightSaving = false;
    bool m_summerOnly = false;
};

// Records every prompt shown and answers from a script (then with a default).
class CFakePrompts : public IPrompts {
public:
    struct Shown {
        std::string text;
        PromptIcon icon;
        PromptButtons buttons;
        std::vector<std::string> options; // for choices
    };

    PromptAnswer Show(const std::string& text, PromptIcon icon, PromptButtons buttons) override;
    int Choose(const std::string& caption, const std::string& text, const std::vector<std::string>& options,
               int defaultIndex) override;
    // Recorded like a box, but takes no scripted answer: nobody answers an alarm.
    void Alert(const std::string& text) override { m_shown.push_back({text, PromptIcon::None, PromptButtons::Ok, {}}); }

    void ScriptAnswer(PromptAnswer answer) { m_answers.push_back(answer); }
    void ScriptChoice(int index) { m_choices.push_back(index); }
    void SetDefaultAnswer(PromptAnswer answer) { m_defaultAnswer = answer; }

    const std::vector<Shown>& History() const { return m_shown; }
    std::vector<std::string> Texts() const;
    void Clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
    std::deque<PromptAnswer> m_answers;
    std::deque<int> m_choices;
    std::optional<PromptAnswer> m_defaultAnswer;
};

// Answers file dialogs from a script; an empty script cancels.
class CFakeFileChoice : public IFileChoice {
public:
    std::optional<std::string> ChooseOpen(const FileChoiceRequest& request) override;
    std::optional<std::string> ChooseSave(const FileChoiceRequest& request) override;
    void ScriptPath(std::optional<std::string> path) { m_paths.push_back(std::move(path)); }
    const std::vector<FileChoiceRequest>& Requests() const { return m_requests; }

private:
    std::deque<std::optional<std::string>> m_paths;
    std::vector<FileChoiceRequest> m_requests;
};

// All four fakes, installed for the lifetime of the object.
class CFakeServices {
public:
    CFakeServices() : m_scope({&clock, &settings, &prompts, &files}) {}
    CFakeClock clock;
    CMemorySettingsStore settings;
    CFakePrompts prompts;
    CFakeFileChoice files;

private:
    services::Scoped m_scope;
};
