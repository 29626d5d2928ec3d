#pragma once

#include <string>
#include <vector>

enum class PromptIcon { None, Information, Warning, Question, Stop };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// Message boxes and questions. Every text the system shows the user goes through here.
class IPrompts {
public:
    virtual ~IPrompts() = default;
    virtual PromptAnswer Show(const std::string& text, PromptIcon icon = PromptIcon::None,
                              PromptButtons buttons = PromptButtons::Ok) = 0;
    // A choice among several options (radio buttons); returns the chosen index,
    // or -1 when the user cancels.
    virtual int Choose(const std::string& caption, const std::string& text,
                       const std::vector<std::string>& options, int defaultIndex) = 0;
    // An alarm for the watch: shown without waiting for anyone, so that the
    // refresh and the other alarms go on. One box per text: the same alarm again
    // raises its box rather than stacking another. Without windows it is a message.
    virtual void Alert(const std::string& text) { Show(text, PromptIcon::None, PromptButtons::Ok); }
};
