#pragma once
// The KOBRA plug-in module: what the host creates from the plug-in library. It gives the host the
// box's database description and organisation layer, registers the box's dialogs, menu items, file
// types, confirmation validators and checkbox descriptor with the host GUI, and answers the module
// requests other modules (and the box's own update functions) send it.
#include <QVector>

#include "host/runtime/CDefaultLoadableModuleImplementation.h"

class QDialog;

namespace MvQARN {

class CDbCnct;
class CKobraUserValidator;
class VGXGuiUserValidator;

class CKobraPlugInDllModuleImplementation : public CDefaultLoadableModuleImplementation {
public:
    explicit CKobraPlugInDllModuleImplementation(int moduleId);
    ~CKobraPlugInDllModuleImplementation() override;
    CKobraPlugInDllModuleImplementation(const CKobraPlugInDllModuleImplementation&) = delete;
    CKobraPlugInDllModuleImplementation& operator=(const CKobraPlugInDllModuleImplementation&) = delete;

    void initusGui() override;
    // No hook work of its own.
    int notifierHook(int a, int b, void* c, void* d) override;
    // Module requests (EKobraRequest codes and negative notifications); results travel in data.
    // Always answers 0.
    int xferCommand(int code, CUtilXferData& data) override;
    void exitusGui() override;

    // The module id a requested id gives: 0 or more unchanged, -1 the default 2028, below -1 zero.
    static int effectiveModuleId(int requested);

    const QVector<CKobraUserValidator*>& getValidators() const { return validators; }
    QDialog* getProgressDialog() const { return progressDialog; }

protected:
    // Deletes the SCPI module made by the constructor.
    void exitScpi() override;

private:
    void notification(CUtilXferData& data);
    int reapplyDeviceStates(CDbCnct& cnct);
    int checkSwitchOn(CDbCnct& cnct);
    void forwardProtectionLevel(CUtilXferData& data);
    int switchRequest(CDbCnct& cnct, int boxType, int boxMode);
    void answerIsOn(CDbCnct& cnct, int boxType);
    int setModeRequest(CDbCnct& cnct, int boxType, int boxMode);
    int instrumentLink(CDbCnct& cnct, double serial, int state);
    int serialList(CDbCnct& cnct, double serial, int flag);
    int boxGone(CDbCnct& cnct, double serial);

    // Confirmation validators created by initusGui; owned, deleted by exitusGui.
    QVector<CKobraUserValidator*> validators;
    // Progress dialog created by initusGui under the family that starts the driver; owned.
    QDialog* progressDialog = nullptr;
    // Under the other families no validator guards the GUI mirror parameters; these links let each
    // mirror write through to its real parameter and follow it. Owned, deleted by exitusGui.
    QVector<VGXGuiUserValidator*> mirrorLinks;
};

} // namespace MvQARN
