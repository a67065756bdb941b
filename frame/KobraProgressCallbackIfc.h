#pragma once
// Told when the user aborts a running operation from the progress window.

namespace MvQARN {

class KobraProgressCallbackIfc {
public:
    virtual ~KobraProgressCallbackIfc() = default;
    // Called on the GUI thread when the user presses Abort; the window hides right after.
    virtual void progressAborted() = 0;
};

} // namespace MvQARN
