#pragma once
// One entry of a save/recall popup: the menu text, the title of the file dialog it opens, the
// parameter that receives the chosen file name, the catalogue parameter of the folder's files and,
// for saving, the fast-save parameter.
#include <QByteArray>
#include <QString>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

struct VGX_EXPORT VGXPopupStruct {
    enum EOperation {
        Recall = 0, // choose an existing file
        Save = 1,   // choose a file name to write
    };

    QString text;
    QString title;
    QByteArray fileParameter;
    QByteArray catalogueParameter;
    QByteArray fastSaveParameter; // empty: none
    int operation = Recall;

    static VGXPopupStruct recall(const QString& text, const QString& title, const char* fileParameter,
                                 const char* catalogueParameter);
    static VGXPopupStruct save(const QString& text, const QString& title, const char* fileParameter,
                               const char* catalogueParameter, const char* fastSaveParameter = nullptr);
};

} // namespace MvQARN
