#pragma once
// Kinds of message box the progress service can show for another thread.

namespace MvQARN {

// A fixed underlying type: callers may pass kinds outside the three named ones, which show nothing.
enum MB_TYPES : int {
    MB_INFORMATION = 0,
    MB_WARNING = 1,
    MB_CRITICAL = 2,
};

} // namespace MvQARN
