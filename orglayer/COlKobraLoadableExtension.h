#pragma once
// The KOBRA box's extension of the organisation-layer framework: the framework talks to the box's
// organisation layer through these operations. Their virtual order is the framework's calling
// convention and must not change.
#include "host/olfw/COlLoadableExtension.h"

namespace MvQARN {

class COlKobraLoadableExtension : public COlLoadableExtension {
public:
    static constexpr int TextBufferSize = 500;

    COlKobraLoadableExtension();
    ~COlKobraLoadableExtension() override;

    // Kind of extension the framework deals with: an interface box.
    virtual int extensionKind() const;
    virtual int extensionCode() const = 0;
    // Name prefix of the parameters whose changes the extension handles.
    virtual const char* parameterPrefix() const = 0;
    virtual int extensionOption() const = 0;

protected:
    // Scratch text for formatting debug lines.
    char m_textBuffer[TextBufferSize];
};

} // namespace MvQARN
