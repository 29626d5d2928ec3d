#pragma once

#include <functional>
#include <map>

#include "core/ui/command_table.h"

class CKeelmarkLiteDoc;
class QWidget;

// What a command's handler works on: the open voyage (null when none is open,
// for the frame's own commands) and the window its dialogs belong to.
struct CCommandContext {
    CKeelmarkLiteDoc* doc = nullptr;
    QWidget* parent = nullptr;

    CKeelmarkLiteDoc& Doc() const { return *doc; }
};

using CommandHandler = std::function<void(const CCommandContext&)>;

// The handlers of the commands of the table. Each family of dialogs registers
// its own; a command without a handler is offered disabled.
class CCommandRegistry {
public:
    void Register(Command command, CommandHandler handler) { m_handlers[command] = std::move(handler); }
    bool Has(Command command) const { return m_handlers.count(command) != 0; }
    // Null when the command has no handler.
    const CommandHandler* Find(Command command) const {
        const auto it = m_handlers.find(command);
        return it == m_handlers.end() ? nullptr : &it->second;
    }

private:
    std::map<Command, CommandHandler> m_handlers;
};
