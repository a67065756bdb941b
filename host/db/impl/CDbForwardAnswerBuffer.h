#pragma once
// An answer buffer of its own (for the answer of one read) whose error reports also reach the
// buffer of the request around it, so that every error of a request, nested ones included, lands
// in the caller's buffer.
#include "host/db/CDbAnswerBuffer.h"

namespace MvQARN {

class CDbForwardAnswerBuffer : public CDbAnswerBuffer {
public:
    explicit CDbForwardAnswerBuffer(CDbAnswerBuffer* target) : m_target(target) {}
    void errOut(int error, int instance, const QString& text) override {
        CDbAnswerBuffer::errOut(error, instance, text);
        if (m_target)
            m_target->errOut(error, instance, text);
    }
    // Position in the error list, to ask later what was reported since.
    int mark() const { return int(getErrors().size()); }
    bool reportedSince(int mark, int error) const {
        const auto& errors = getErrors();
        for (int i = mark; i < errors.size(); ++i)
            if (errors.at(i).code == error)
                return true;
        return false;
    }

private:
    CDbAnswerBuffer* m_target;
};

} // namespace MvQARN
