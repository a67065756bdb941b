#pragma once
// The popup behind a "Save/Recall..." button: one menu entry per VGXPopupStruct. Choosing an
// entry opens the host's file dialog on the user's settings folder with the entry's title: an
// existing file for a recall, a file name for a save (with the fast-save option when the entry
// names one). The chosen file name is written to the entry's file parameter, which saves or
// recalls.
#include <QMenu>

#include "host/gui/VGXUserDbAttributes.h"
#include "host/gui/VGXUserPopupList.h"

namespace MvQARN {

class VGX_EXPORT VGXSaveRecallPopup : public QMenu {
    Q_OBJECT
public:
    // fileTypeIndex: the VGXMain file type offered first. Parameters bind to the instance current
    // now (VGXUserDbAttributes::setCurrentInstance and siblings).
    VGXSaveRecallPopup(QWidget* parent, const VGXUserPopupList& entries, int fileTypeIndex);
    ~VGXSaveRecallPopup() override;

    const VGXUserPopupList& entries() const { return m_entries; }
    int fileTypeIndex() const { return m_fileType; }
    // What choosing an entry does; answers the file written, empty when cancelled or refused.
    QString runEntry(int index);

private:
    VGXUserPopupList m_entries;
    int m_fileType;
    SDbInstTupel m_tupel;
};

} // namespace MvQARN
