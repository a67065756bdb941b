#pragma once
// The record of every GUI registration (dialog factory modules, dialog items, file types,
// descriptors) in one inspectable list of stable one-line texts, printed as they happen while
// tracing is on. The runtime marks the registries up before modules register and names the
// module whose registrations follow.
#include <QList>
#include <QString>
#include <QStringList>

#include "host/util/VGXExport.h"

namespace MvQARN {

class VGX_EXPORT VGXGuiRegistry {
public:
    struct Record {
        QString kind; // "registerModule", "addDialogItem", "registerFileType", "addDescriptor"
        QString line; // the full line, starting with kind
        int owner = -1;
    };

    static void record(const QString& kind, const QString& line);
    static QList<Record> records();
    static QStringList lines();
    static QStringList lines(const QString& kind);

    // True while the host accepts registrations as part of its GUI start-up.
    static bool isUp();
    static void setUp(bool up);

    // The module id registrations are booked to; -1 for the host itself.
    static int currentOwner();
    static void setCurrentOwner(int owner);

    // Empties every registry: dialogs and dialog modules, items, file types, descriptors, block
    // and command panel classes, records.
    static void reset();

    // Text in double quotes, with quotes and backslashes escaped.
    static QString quoted(const QString& text);
};

// Books the registrations made during its lifetime to a module.
class VGXGuiOwnerScope {
public:
    explicit VGXGuiOwnerScope(int owner) : m_previous(VGXGuiRegistry::currentOwner()) {
        VGXGuiRegistry::setCurrentOwner(owner);
    }
    ~VGXGuiOwnerScope() { VGXGuiRegistry::setCurrentOwner(m_previous); }
    VGXGuiOwnerScope(const VGXGuiOwnerScope&) = delete;
    VGXGuiOwnerScope& operator=(const VGXGuiOwnerScope&) = delete;

private:
    int m_previous;
};

} // namespace MvQARN
