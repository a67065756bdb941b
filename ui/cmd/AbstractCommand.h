#pragma once
// A command as a terminal knows it: a name, a description and its parameters in order.
#include <QList>
#include <QString>

#include "host/util/VGXExport.h"

namespace MvQARN {

class AbstractCommandParameter;

class VGX_EXPORT AbstractCommand {
public:
    explicit AbstractCommand(const QString& name);
    ~AbstractCommand();
    AbstractCommand(const AbstractCommand&) = delete;
    AbstractCommand& operator=(const AbstractCommand&) = delete;

    const QString& name() const { return m_name; }
    const QString& description() const { return m_description; }
    void setDescription(const QString& text) { m_description = text; }

    // Takes ownership; null is ignored.
    void addParameter(AbstractCommandParameter* parameter);
    // The first parameter of that name; null when there is none.
    AbstractCommandParameter* getParameter(const QString& name) const;
    const QList<AbstractCommandParameter*>& getParameters() const { return m_parameters; }

private:
    QString m_name;
    QString m_description;
    QList<AbstractCommandParameter*> m_parameters;
};

} // namespace MvQARN
