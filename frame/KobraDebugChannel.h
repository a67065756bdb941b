#pragma once
// The plug-in's channel on the host debug server and the levels it prints at.
#include <QString>

#include "host/util/VGXDebugServer.h"

namespace Kobra {

constexpr int kDebugModule = 5;
constexpr int kDebugChannel = 13;
constexpr int kDebugError = 1;
constexpr int kDebugTrace = 4;

// True when the server prints the plug-in's lines of this level: callers can skip building the text.
inline bool debugWanted(int level) {
    return MvQARN::VGXDebugServer::isActive(kDebugModule, level, kDebugChannel);
}

// Prints a line on the plug-in's channel when the server wants its level.
inline void debugPrint(int level, const QString& text) {
    MvQARN::VGXDebugServer::print(kDebugModule, level, kDebugChannel, text);
}

} // namespace Kobra
