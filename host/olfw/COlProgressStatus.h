#pragma once
// Status record of a framework operation, the result of command 41: the current phase, a message and
// the progress in percent, or one of the two special values below.
#include <string>

namespace MvQARN {

class COlProgressStatus {
public:
    enum : int {
        Failed = -1,   // the operation failed; message says why
        NoNews = -100, // nothing new since the last query
    };

    std::string phaseTitle;
    std::string message;
    int progress = NoNews;
};

} // namespace MvQARN
