#pragma once
// Reads the expected catalogue table (ExpectedCatalogue.h) into rows the tests compare with.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace ExpectedCatalogue {

struct Row {
    QByteArray name;
    QString type; // event, bits, ints, list, number, select, onoff, testresult, string
    int count[4] = {1, 1, 1, 1};
    int first[4] = {0, 0, 0, 0};
    bool once = false;

    // Numbers.
    double min = 0, max = 0, step = 0;
    // Selections: offered identifiers in order, with their texts (empty when none).
    QList<int> ids;
    QList<QString> texts;
    bool hasTexts = false;
    // Bit fields.
    int minLen = 0, maxLen = 0;
    bool hasPatterns = false;
    quint32 lowest = 0, highest = 0;

    bool hasDefault = false;
    double def = 0, def2 = 0;
    bool hasDefaultText = false;
    QString defaultText;

    int unit = 0;
    unsigned fn = 0; // Kobra::EFnSlot bits
    unsigned attr = 0;
    unsigned grp = 0;
    bool flagL = false;
    unsigned family = 0x10121;
    QString idx; // "", "all", "usb"
    int fileList = 0;
    int fileOp = 0;
    unsigned word9 = 0;
    int word21 = 0;

    bool isSelection() const { return type == "select" || type == "onoff" || type == "testresult"; }
};

// Parses the table; a malformed line is reported in error (empty when all lines parsed).
QList<Row> parse(const char* table, QString& error);

} // namespace ExpectedCatalogue
