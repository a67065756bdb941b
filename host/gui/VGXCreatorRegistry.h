#pragma once
// Creators that modules register under a class name so the host can build their widgets without
// linking them. One table per kind of creator; a later registration of a name replaces the earlier
// one and a null creator removes it.
#include <QMap>
#include <QString>
#include <QStringList>

namespace MvQARN {

template <typename Creator> class VGXCreatorRegistry {
public:
    void set(const QString& className, Creator creator) {
        if (creator)
            m_creators.insert(className, creator);
        else
            m_creators.remove(className);
    }
    Creator get(const QString& className) const { return m_creators.value(className, nullptr); }
    QStringList classNames() const { return m_creators.keys(); }
    void clear() { m_creators.clear(); }

private:
    QMap<QString, Creator> m_creators;
};

} // namespace MvQARN
