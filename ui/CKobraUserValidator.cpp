#include "ui/CKobraUserValidator.h"

namespace MvQARN {

CKobraUserValidator::CKobraUserValidator(const char* guiParameter, const char* watchedParameter, int mode,
                                         int arg4, int index1, int index2, int index3, int index4)
    : m_guiParameter(guiParameter), m_watchedParameter(watchedParameter), m_mode(mode), m_arg4(arg4),
      m_index1(index1), m_index2(index2), m_index3(index3), m_index4(index4) {}

CKobraUserValidator::~CKobraUserValidator() = default;

} // namespace MvQARN
