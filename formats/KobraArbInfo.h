#pragma once
// Waveform file information of the ARB entries of an interface.
#include <QString>

namespace MvQARN {
class CDbCnct;
}

namespace Kobra {

// What the ARB table shows of one waveform file; 0.0 where the file has no such tag.
struct SArbInfo {
    double samples = 0.0;   // "SAMPLES"
    double clock = 0.0;     // "CLOCK"
    double rmsOffset = 0.0; // first value of "LEVEL OFFS"
    double pepOffset = 0.0; // second value of "LEVEL OFFS"
};

// Reads the tags of one waveform file through the host's list administration, using the auxiliary
// data of the context's current message. Returns 20012 when the file does not exist, else the status
// of the list administration (0; 1 when the host has none). The fields are reset first.
int getKobraArbInfo(MvQARN::CDbCnct& cnct, const QString& fileName, SArbInfo& info);

// Refreshes the file information parameters of ARB entry `entry` (0 .. 3, or -1 for all four in
// turn) of the context's interface from the file named by its IdPDbLynxArbFile.
void updArbFileInfo(MvQARN::CDbCnct& cnct, int entry);

} // namespace Kobra
