#include "orglayer/CKobraOrgLayer.h"

namespace MvQARN {

CKobraOrgLayer::CKobraOrgLayer() = default;
CKobraOrgLayer::~CKobraOrgLayer() = default;

int CKobraOrgLayer::extensionCode() const {
    return 512;
}

const char* CKobraOrgLayer::parameterPrefix() const {
    return "IdPDbLynx";
}

int CKobraOrgLayer::extensionOption() const {
    return 0;
}

} // namespace MvQARN
