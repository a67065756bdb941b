#include "ui/cmd/AbstractCommand.h"

#include "ui/cmd/AbstractCommandParameter.h"

namespace MvQARN {

AbstractCommand::AbstractCommand(const QString& name) : m_name(name) {}

AbstractCommand::~AbstractCommand() {
    qDeleteAll(m_parameters);
}

void AbstractCommand::addParameter(AbstractCommandParameter* parameter) {
    if (parameter)
        m_parameters.append(parameter);
}

AbstractCommandParameter* AbstractCommand::getParameter(const QString& name) const {
    for (AbstractCommandParameter* p : m_parameters)
        if (p->name() == name)
            return p;
    return nullptr;
}

} // namespace MvQARN
