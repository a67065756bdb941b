#pragma once
// The plug-in's part of the host SCPI parser: the KOBRA command tree, and the SPI clock frequency
// query answered in Hz instead of its keyword.
#include "host/scpi/CDefaultScpiModule.h"

namespace MvQARN {

class CKobraScpiModule : public CDefaultScpiModule {
public:
    static constexpr int ModuleNumber = 330000;

    // Builds the tables (first module only) and registers the tree with the host parser.
    CKobraScpiModule();
    // Unregisters the tree and frees the tables.
    ~CKobraScpiModule() override;

    void answerHook(int commandCode, const SDbInstTupel& tupel, QString& answer) override;

    // The SPI clock frequency in Hz of a selection index, 0 outside the selection.
    static double spiClockFrequency(int index);
};

} // namespace MvQARN
