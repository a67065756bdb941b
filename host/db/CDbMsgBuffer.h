#pragma once
// Where the organisation layer hands its corrections: the host runs each message as a request.
#include "host/db/CDbMsg.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CDbMsgBuffer {
public:
    virtual ~CDbMsgBuffer() = default;
    // Takes every message out of the list; the host owns them from then on.
    virtual void giveAll(CDbMsgList& msgs) = 0;
};

} // namespace MvQARN
