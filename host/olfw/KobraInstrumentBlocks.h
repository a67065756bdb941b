#pragma once
// Receive area of the instrument-information command (OlCmdInstrumentInfo, 42): the caller points
// the command block's buffer at one of these, the framework fills it. Each entry is the text of
// one instrument's information block ("[infoblock]" followed by its sections, CR LF line ends);
// entry 0 belongs to instrument link 0, entry 1 to link 1. An empty text, or a block whose device
// name is empty, means no instrument is joined on that link.
#include <QByteArray>

namespace MvQARN {

struct SKobraInstrumentBlocks {
    QByteArray text[2];
};

} // namespace MvQARN
