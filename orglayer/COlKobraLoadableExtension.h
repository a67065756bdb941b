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
    COlKobraLoadableExtension(const COlKobraLoadableExtension&) = delete;
    COlKobraLoadableExtension& operator=(const COlKobraLoadableExtension&) = delete;

    // Kind of extension the framework deals with: an interface box.
    int extensionKind() const override;
    int extensionCode() const override = 0;
    const char* parameterPrefix() const override = 0;
    int extensionOption() const override = 0;
    int getInternalAction(const char* name, int Path, int Drct, int x, int y) override = 0;
    int getSampleRate(CDbDataBaseIfc* db, int Path, int Drct, int x, double& rate) override = 0;
    int setKobra(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path, int Drct,
                 int actions) override = 0;
    int loadFpga(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path,
                 int Drct) override = 0;
    int setArb(KobraDrvDeviceIfc* device, CDbDataBaseIfc* db, CDbMsgBuffer* msgBuffer, int Path,
               int Drct) override = 0;

protected:
    // Scratch text for formatting debug lines.
    char m_textBuffer[TextBufferSize];
};

} // namespace MvQARN
