#include "host/listadm/RecorderFile.h"

#include <QtEndian>

#include "host/listadm/WaveformFile.h"
#include "host/util/VGXIqWord.h"
#include "host/util/VGXSafeFile.h"

namespace MvQARN {

namespace {

bool fail(QString* error, const QString& path, const QString& why) {
    if (error)
        *error = QStringLiteral("cannot save the recording as \"%1\": %2").arg(path, why);
    return false;
}

} // namespace

bool RecorderFile::save(const QString& path, const QVector<qint32>& words, double clock,
                        const QString& comment, QString* error) {
    if (path.trimmed().isEmpty())
        return fail(error, path, QStringLiteral("no file chosen"));
    if (words.isEmpty())
        return fail(error, path, QStringLiteral("nothing recorded"));
    QVector<WaveformFile::SSample> samples;
    samples.reserve(words.size());
    for (qint32 w : words)
        samples.append({VGXIqWord::inphase(quint32(w)), VGXIqWord::quadrature(quint32(w))});
    QString why;
    QByteArray data = WaveformFile::header(samples, clock, comment, &why);
    if (data.isEmpty())
        return fail(error, path, why);
    // A recorder word written little-endian is the file's I,Q pair.
    const qsizetype head = data.size();
    data.resize(head + words.size() * 4 + 1);
    uchar* p = reinterpret_cast<uchar*>(data.data()) + head;
    for (qint32 w : words) {
        qToLittleEndian<quint32>(quint32(w), p);
        p += 4;
    }
    *p = '}';
    // Only an earlier waveform file may be replaced.
    const auto isWaveform = [](const QByteArray& start) {
        return start.isEmpty() || start.startsWith("{TYPE:");
    };
    if (VGXSafeFile::writeReplacing(path, data, &why, isWaveform) != VGXSafeFile::Ok)
        return fail(error, path, why);
    return true;
}

} // namespace MvQARN
