#include "host/gui/VGXConst.h"

#include <QMap>

namespace MvQARN {

namespace {

// GUI thread only.
struct HelpState {
    QByteArray key;
    QMap<int, std::function<void(const QByteArray&)>> observers;
    int next = 1;
};

HelpState& help() {
    static HelpState s;
    return s;
}

} // namespace

void VGXConst::setContextSensitiveHelp(const char* parameterName) {
    const QByteArray key(parameterName ? parameterName : "");
    if (help().key == key)
        return;
    help().key = key;
    const auto observers = help().observers; // copy: an observer may remove itself
    for (const auto& fn : observers)
        fn(key);
}

QByteArray VGXConst::contextSensitiveHelp() {
    return help().key;
}

int VGXConst::addHelpObserver(std::function<void(const QByteArray&)> observer) {
    const int handle = help().next++;
    help().observers.insert(handle, std::move(observer));
    return handle;
}

void VGXConst::removeHelpObserver(int handle) {
    help().observers.remove(handle);
}

} // namespace MvQARN
