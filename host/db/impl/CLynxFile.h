#pragma once
// The user settings file (*.lynx): versioned, human-readable text of one instance's group values.
//
//   # VGX settings file
//   version=1
//   module=KobraPlugin
//   section=setting
//   key=kobra
//   group=36
//   mask=0xffff0000
//   IdPDbLynxLogicType[0,0]=sel:2
//   IdPDbLynxArbFile[0,3]=str:wave\ntwo.wv
//   end=2
//
// Value lines are "name[t2,t3]=<type>:<value text>"; the path and side of the instance are not in
// the file, a recall applies the values to the instance it is made for. The closing "end=" line
// counts the value lines, so a file cut off at a line boundary is recognised as truncated.
#include <QByteArray>
#include <QString>
#include <QVector>

#include "host/db/CDbAllType.h"
#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGX_EXPORT CLynxFile {
public:
    static constexpr int kVersion = 1;
    static const char* const kMagic; // "# VGX settings file"

    struct SHeader {
        int version = kVersion;
        QByteArray module;
        QByteArray section;
        QByteArray key;
        int group = 0;
        unsigned mask = 0;
    };
    struct SEntry {
        QByteArray name;
        int t2 = 0;
        int t3 = 0;
        CDbAllType value;
        int line = 0; // line number in the parsed file, for messages
    };

    static QByteArray format(const SHeader& header, const QVector<SEntry>& entries);
    // Whether the first bytes of a file are those of a settings file (of any version).
    static bool isSettingsFile(const QByteArray& head);
    // False with a one-line reason when the data is not a complete settings file of this version.
    static bool parse(const QByteArray& data, SHeader& header, QVector<SEntry>& entries, QString& error);

    // Value text of one value: "<type>:<text>"; empty for values a file cannot hold (events).
    static QString encodeValue(const CDbAllType& v);
    static bool decodeValue(const QString& typeAndText, CDbAllType& out);

    static QString escape(const QString& s, bool listItem);
    static bool unescape(const QString& s, QString& out);
};

} // namespace MvQARN
