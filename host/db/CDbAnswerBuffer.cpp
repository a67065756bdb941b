#include "host/db/CDbAnswerBuffer.h"

namespace MvQARN {

void CDbAnswerBuffer::errOut(int error, int instance, const QString& text) {
    m_errors.append(Error{error, instance, text});
}

} // namespace MvQARN
