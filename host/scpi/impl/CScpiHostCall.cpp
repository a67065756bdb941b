#include "host/scpi/impl/CScpiHostCall.h"

#include <cmath>

#include "host/scpi/impl/CScpiParser.h"
#include "host/scpi/impl/CScpiSession.h"
#include "host/scpi/impl/ScpiErrors.h"

namespace MvQARN {

void CScpiHostCall::error(int code, const QString& text) {
    if (code == 0)
        return;
    if (m_firstError == 0)
        m_firstError = code;
    m_session.pushError(code, text);
}

int CScpiHostCall::dbResult(int rc, const CDbAnswerBuffer& answer) {
    const int code = CScpiParser::queueDbErrors(m_session, rc, answer, false);
    if (code != 0 && m_firstError == 0)
        m_firstError = code;
    return code;
}

bool CScpiHostCall::expectArgs(int min, int max) {
    if (argCount() < min) {
        error(ScpiErrMissingParameter);
        return false;
    }
    if (argCount() > max) {
        error(ScpiErrParameterNotAllowed);
        return false;
    }
    return true;
}

bool CScpiHostCall::intArg(int i, int min, int max, int& out) {
    if (i >= argCount()) {
        error(ScpiErrMissingParameter);
        return false;
    }
    const SScpiToken& t = arg(i);
    if (t.kind != SScpiToken::Number && t.kind != SScpiToken::NonDecimal) {
        error(ScpiErrDataType);
        return false;
    }
    if (!t.suffix.isEmpty()) {
        error(ScpiErrInvalidSuffix);
        return false;
    }
    const double v = std::round(t.number);
    if (!(v >= min && v <= max)) {
        error(ScpiErrDataOutOfRange);
        return false;
    }
    out = int(v);
    return true;
}

bool CScpiHostCall::textArg(int i, QString& out) {
    if (i >= argCount()) {
        error(ScpiErrMissingParameter);
        return false;
    }
    const SScpiToken& t = arg(i);
    switch (t.kind) {
    case SScpiToken::String:
        out = t.string;
        return true;
    case SScpiToken::Char:
    case SScpiToken::Number:
        out = QString::fromLatin1(t.text);
        return true;
    default:
        error(ScpiErrDataType);
        return false;
    }
}

} // namespace MvQARN
