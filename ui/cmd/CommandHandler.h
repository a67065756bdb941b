#pragma once
// The meaning behind an interactive command panel: it answers the panel's user events (the
// buttons) with reply text, and may keep command objects of its own that the panel must not delete.
// Header only and pure, so a host implements it without linking the plug-in.
#include <QString>

namespace MvQARN {

class AbstractCommand;

class CommandHandler {
public:
    virtual ~CommandHandler() = default;

    // True when the handler keeps (and deletes) a command of this name itself.
    virtual bool ownsCommand(const QString& name) const = 0;
    // The reply to the user event code; current is the panel's current command (null before the
    // first "Execute"), executed says whether this event made it current (an "Execute" on an empty
    // field executes nothing). An empty reply adds nothing to the terminal.
    virtual QString reply(int code, const AbstractCommand* current, bool executed) = 0;
};

} // namespace MvQARN
