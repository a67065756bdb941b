#include "host/gui/VGXDialogItem.h"

#include "host/gui/impl/VGXGuiRegistry.h"

namespace MvQARN {

namespace {

QList<VGXDialogItem>& items() {
    static QList<VGXDialogItem> list;
    return list;
}

} // namespace

int addDialogItem(const char* item, const char* dialogName, int where) {
    const QString itemText = QString::fromUtf8(item ? item : "");
    const QString name = QString::fromUtf8(dialogName ? dialogName : "");
    items().append(VGXDialogItem{itemText, name, where, VGXGuiRegistry::currentOwner()});
    VGXGuiRegistry::record(QStringLiteral("addDialogItem"),
                           QStringLiteral("addDialogItem %1 %2 %3")
                               .arg(VGXGuiRegistry::quoted(itemText), VGXGuiRegistry::quoted(name))
                               .arg(where));
    return int(items().size()) - 1;
}

QList<VGXDialogItem> dialogItems() {
    return items();
}

QString findDialogItem(const QString& item) {
    const QList<VGXDialogItem>& list = items();
    for (auto it = list.crbegin(); it != list.crend(); ++it)
        if (it->item == item)
            return it->dialogName;
    return QString();
}

void clearDialogItems() {
    items().clear();
}

} // namespace MvQARN
