#pragma once
// Answers and error reports of one database call.
#include <QString>
#include <QVector>
#include <utility>

#include "host/db/CDbAllType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CDbAnswerBuffer {
public:
    struct Error {
        int code = 0;
        int instance = 0;
        QString text;
    };

    virtual ~CDbAnswerBuffer() = default;

    // Conversion-out functions and module requests answer with a new value; the buffer owns it.
    void createAnswer(CDbDataType* takeOwnership) { m_answer.set(takeOwnership); }
    bool hasAnswer() const { return !m_answer.isNull(); }
    const CDbAllType& getAnswer() const { return m_answer; }
    // Hands the answer over without copying it; the buffer has none afterwards.
    CDbAllType takeAnswer() { return std::move(m_answer); }
    void clearAnswer() { m_answer = CDbAllType(); }

    // Reports an error with its text; the text reaches the user (dialog or remote error queue).
    virtual void errOut(int error, int instance, const QString& text);
    const QVector<Error>& getErrors() const { return m_errors; }
    void clearErrors() { m_errors.clear(); }

private:
    CDbAllType m_answer;
    QVector<Error> m_errors;
};

} // namespace MvQARN
