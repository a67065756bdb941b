#pragma once
// A framework event: an action event (what the user did to a viewer: clicked it, activated it) or
// a user event (a code a control raises for its panel, for example a button that asks the panel
// to open a dialog). Events travel from the viewer that raises them up through its ancestors until
// one consumes them.
#include "host/util/VGXModuleInterface.h"

namespace MvGuiFramework {

class CViewer;

class VGX_EXPORT CViewerEvent {
public:
    enum EKind { Action, User };

    // Action codes. Every click on a viewer that reacts to clicks raises ActionClicked; its default
    // action (double click, Return or Space, or a click nobody consumed on a block) raises
    // ActionActivated.
    enum EActionCode {
        ActionClicked = 16,
        ActionActivated = 0x10004,
    };

    CViewerEvent(EKind kind, int code, CViewer* source) : m_kind(kind), m_code(code), m_source(source) {}

    EKind getKind() const { return m_kind; }
    bool isAction() const { return m_kind == Action; }
    bool isUser() const { return m_kind == User; }
    int getCode() const { return m_code; }
    // The viewer that raised the event.
    CViewer* getSource() const { return m_source; }

    // Stops the event: no ancestor sees it.
    void consume() { m_consumed = true; }
    bool isConsumed() const { return m_consumed; }

private:
    EKind m_kind;
    int m_code;
    CViewer* m_source;
    bool m_consumed = false;
};

} // namespace MvGuiFramework
