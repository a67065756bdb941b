#pragma once
// Links a GUI mirror parameter to the real parameter it stands for. Controls that need a guard are
// bound to the mirror: a value the user puts there reaches the real parameter only when the
// subclass does not ask for confirmation or the user confirms; a value the real parameter takes
// from anywhere else (a remote command, an update function, a refusal) is copied to the mirror, so
// the control always shows the real state. The base class asks for nothing: its mirror writes
// straight through.
#include "host/gui/VGXDataListener.h"
#include "host/gui/VGXUserDbAttributes.h"

namespace MvQARN {

class VGXDatabaseConnectorEntry;

class VGX_EXPORT VGXGuiUserValidator : public VGXDataListener {
public:
    // triggerValue -1: every change of the mirror may ask; any other value: only a change to that
    // value may ask, others go straight through. Both bindings name fixed instances.
    VGXGuiUserValidator(const VGXUserDbAttributes& mirror, const VGXUserDbAttributes& real, int triggerValue);
    ~VGXGuiUserValidator() override;

    void processDataEvent(VGXDataEvent* event) override;

    // The real parameter's value as last seen or confirmed; -1 until known.
    int lastConfirmedValue() const { return m_lastConfirmed; }
    int triggerValue() const { return m_trigger; }

protected:
    // Whether the change of the mirror to value needs the user's consent.
    virtual bool needsConfirmation(int value);
    // Asks the user; true applies the value.
    virtual bool confirm(int value);
    // Events of further connections a subclass made with this listener.
    virtual void processOtherEvent(VGXDataEvent* event);
    // Takes the real parameter's value as it reads now. For a real parameter that stores nothing of
    // its own (its value is read from others) the subclass calls it when those others change.
    void refreshFromReal();

private:
    // Writes the real parameter; when it keeps another value (refused, or unchanged so no event
    // comes back) the mirror is put back to the real value.
    void writeReal(int value);
    void syncMirror();

    int m_lastConfirmed = -1;
    int m_trigger;
    VGXDatabaseConnectorEntry* m_real = nullptr;
    VGXDatabaseConnectorEntry* m_mirror = nullptr;
};

} // namespace MvQARN
