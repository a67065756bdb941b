#pragma once
// Kinds of message box the progress service can show for another thread.

namespace MvQARN {

enum MB_TYPES {
    MB_INFORMATION = 0,
    MB_WARNING = 1,
    MB_CRITICAL = 2,
};

} // namespace MvQARN
