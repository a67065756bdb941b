#pragma once
// How the KOBRA dialog factory maps dialog attributes to a dialog: the row a dialog name selects and
// the constructor arguments derived from the attributes. The dialog classes plug their creators
// into g_dialogCreators; a row without a creator opens nothing.
#include <QString>

namespace MvQARN {
class VGXDialog;
class VGXUserDialogAttributes;
} // namespace MvQARN

namespace Kobra {

// Rows in matching order; the first matching row wins.
enum EDialogRow {
    DlgRowNone = -1,
    DlgRowMain = 0,      // "CKobraDlgMain"
    DlgRowDeviceManager, // "CKobraDlgDeviceManager"
    DlgRowTranRec,       // contains "CKobraDlgTranRec"
    DlgRowInstrument,    // contains "CKobraDlgInstrument"
    DlgRowMainIn,        // "CBasebandLynxMainInDialog"
    DlgRowMainOut,       // "CBasebandLynxMainOutDialog"
    DlgRowMainInOut,     // "CBasebandLynxMainInOutDialog"
    DlgRowClock,         // "CBasebandLynxClockDialog"
    DlgRowData,          // "CBasebandLynxDataDialog"
    DlgRowSpi,           // "CBasebandLynxSpiDialog"
    DlgRowTest,          // "CBasebandLynxTestDialog"
    DlgRowCount
};

// A resolved dialog request: the row and the arguments its dialog class takes.
struct SDialogRequest {
    EDialogRow row = DlgRowNone;
    QString qualifier;
    int instance = 0;
    int direction = 0;
    int channel = 0;
    // The attributes the request came with (for the main dialog, which takes them whole).
    const MvQARN::VGXUserDialogAttributes* attributes = nullptr;
};

// Resolves a dialog name and the attribute values under an instrument family. Returns the row
// (DlgRowNone when no row matches) and fills out. For the recorder row under family 0x10000 the
// instance splits into direction = instance / 2 and instance = instance % 2; a name containing
// "CKobraDlgTranRecChannel" takes its channel from the name's last character.
EDialogRow resolveDialogRequest(const QString& name, const QString& qualifier, int instance, int direction,
                                int channel, int family, SDialogRequest& out);

// Creates the dialog of one row; the host registry owns the result.
using DialogCreator = MvQARN::VGXDialog* (*)(const SDialogRequest& request);

// Creator per row; null until the dialog class is part of the plug-in.
extern DialogCreator g_dialogCreators[DlgRowCount];

} // namespace Kobra
