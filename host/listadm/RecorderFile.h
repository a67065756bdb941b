#pragma once
// A recorder block saved as a waveform file (*.wv, see WaveformFile.h), so the ARB can play it and
// every waveform reader takes it. The file is written beside its final name and renamed into place:
// a failed save (no such folder, no right to write, a full disk) leaves no half file under the name,
// and a file of another kind already there is never replaced.
#include <QString>
#include <QVector>
#include <QtGlobal>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT RecorderFile {
public:
    // words: one recorder word per sample (host/util/VGXIqWord.h); clock: the sample rate in Hz.
    // False with the reason in error ("cannot save the recording as \"...\": ...") when nothing was
    // written.
    static bool save(const QString& path, const QVector<qint32>& words, double clock, const QString& comment,
                     QString* error);
};

} // namespace MvQARN
