#include "params/KobraChoiceTexts.h"

#include <QHash>

#include "host/db/DbHostValues.h"
#include "params/KobraCatalogue.h"
#include "params/KobraTypes.h"

using namespace MvQARN;

namespace {

using TextMap = QHash<int, QString>;

// Texts by identifier, one entry per selection that has texts.
TextMap numbered(std::initializer_list<const char*> texts) {
    TextMap m;
    int id = 0;
    for (const char* t : texts)
        m.insert(id++, QString::fromUtf8(t));
    return m;
}

TextMap fromExported(const int* ids, const char* const* texts) {
    TextMap m;
    for (int i = 0; ids[i] != -1 && texts[i]; ++i)
        m.insert(ids[i], QString::fromUtf8(texts[i]));
    return m;
}

const QHash<QByteArray, TextMap>& textTables() {
    static const QHash<QByteArray, TextMap> tables = [] {
        QHash<QByteArray, TextMap> t;
        const TextMap polarity = numbered({"Positive", "Negative"});
        const TextMap bitOrder = numbered({"MSB", "LSB"});
        const TextMap testPattern = numbered({"PRBS", "Counter"});

        // Box
        t.insert("IdPDbKobraType", fromExported(Kobra::exLynxTypeIds, Kobra::exLynxTypeStr));
        t.insert("IdPDbKobraMode", fromExported(Kobra::exLynxModeIds, Kobra::exLynxModeStr));
        // Digital interface
        t.insert("IdPDbLynxLogicType", numbered({"LVDS", "LVTTL", "3.3V CMOS", "2.5V CMOS", "1.8V CMOS",
                                                 "1.5V CMOS", "1.8V SSI", "2.8V SSI", "1.2V CMOS"}));
        t.insert("IdPDbLynxFormat", numbered({"Serial", "Parallel"}));
        t.insert("IdPDbLynxIleavMode", numbered({"Not Interleaved", "I/Q Interleaved", "Q/I Interleaved"}));
        t.insert("IdPDbLynxSigType", numbered({"IQ", "IF"}));
        t.insert("IdPDbLynxDataType", numbered({"Samples", "Pre-FIR Samples"}));
        t.insert("IdPDbLynxDataNumForm", numbered({"2's Complement", "Binary Offset"}));
        t.insert("IdPDbLynxDataBitOrder", bitOrder);
        t.insert("IdPDbLynxDataWordAlign", bitOrder);
        t.insert("IdPDbLynxDataIQPol", polarity);
        t.insert("IdPDbLynxDataStrobPol", polarity);
        // Clock and reference
        t.insert("IdPDbLynxClocSour", numbered({"Internal", "User Interface", "REF IN"}));
        t.insert("IdPDbLynxClocPhas", numbered({"0 deg", "90 deg", "180 deg", "270 deg"}));
        t.insert("IdPDbLynxClocPol", polarity);
        t.insert("IdPDbLynxRateMode", numbered({"SDR", "DDR"}));
        t.insert("IdPDbLynxSCRatio", numbered({"1", "4/5", "2/5", "1/5", "1/10", "1/20"}));
        t.insert("IdPDbLynxExtRefFreq", numbered({"5 MHz", "10 MHz", "13 MHz"}));
        // SSI and SPI
        t.insert("IdPDbLynxSsiSpiClocFreq", numbered({" 1.000 MHz", " 2.500 MHz", " 5.000 MHz", " 8.333 MHz",
                                                      "12.500 MHz", "25.000 MHz"}));
        t.insert("IdPDbLynxSsiSpiClocPhas", TextMap{{0, "0 deg"}, {2, "180 deg"}});
        // Trigger and test signals
        t.insert("IdPDbLynxTriggerSource", numbered({"Auto", "SYNC IN"}));
        t.insert("IdPDbLynxTestTxSource",
                 numbered({"PRBS", "Counter", "Sine", "ARB1", "ARB2", "ARB3", "ARB4"}));
        t.insert("IdPDbLynxTestRxSource", testPattern);
        // Recorder
        t.insert("IdPDbKobraTranRecStatus", numbered({"Stopped", "Configured", "Record Done", "Recording",
                                                      "No Data Signal", "No Trigger Signal"}));
        t.insert("IdPDbKobraTranRecDataSource", TextMap{{0, "DIG IQ IN 1"},
                                                        {1, "DIG IQ OUT 2"},
                                                        {2, "ARB 1"},
                                                        {3, "ARB 2"},
                                                        {4, "ARB 3"},
                                                        {5, "ARB 4"},
                                                        {7, "Sine Test Signal"}});
        t.insert("IdPiDbKobraTranRecDataLength", TextMap{{512, "512"}, {1024, "1024"}, {2048, "2048"}});
        t.insert("IdPDbKobraTranRecDisplayType", numbered({"I/Q", "Vector", "CCDF", "Power Spectrum"}));
        t.insert("IdPDbKobraTranRecTrigMode", numbered({"Continuous", "Single"}));
        t.insert("IdPDbKobraTranRecTrigSource",
                 numbered({"Software", "Data Valid", "GP_0 (Marker 0)", "GP_4 (Marker 1)", "GP_1 (Reserve 0)",
                           "GP_2 (Trigger 0)", "GP_3 (Trigger 1)", "GP_5 (Reserve 1)"}));
        t.insert("IdPDbKobraTranRecTrigType",
                 numbered({"Rising Edge", "Falling Edge", "High Level", "Low Level"}));
        // Instrument link
        t.insert("IdPDbKobraInstrHwChannel", numbered({"TCP/IP", "GPIB", "USB"}));
        // Diagnostics and service
        t.insert("IdPDbKobraDiagPoint",
                 numbered({"UI", "2,5V", "AVCC PLL", "AVTT", "AVCC MGT", "+1,8V", "24,0V", "GND", "VIN",
                           "3,3(COM)", "2,5(AUX)", "3,3 (DIV)", "1.0V CORE", "VCO TUNE", "Reserved", "GND1",
                           "PPC Temp", "PPC VCC Int", "PPC VCC Aux"}));
        t.insert("IdPDbKobraDiagPointDigRf", numbered({"-5V",
                                                       "+5V",
                                                       "+3.3V",
                                                       "+2.5V",
                                                       "+1.2V",
                                                       "+3.5V LIN",
                                                       "-2.0V LIN",
                                                       "-2.5V LIN",
                                                       "V GPIO GROUP 0",
                                                       "V GPIO GROUP 1",
                                                       "V GPIO GROUP 2",
                                                       "V GPIO GROUP 3",
                                                       "V GPIO GROUP 4",
                                                       "V PLL1 VCXO",
                                                       "V PLL2 VCO",
                                                       "V DIAG v4 GTX VCM",
                                                       "V USER SPI",
                                                       "V GPIO EX",
                                                       "V DIGRF 112",
                                                       "V DIGRF 3SE",
                                                       "V DIGRF 4SE",
                                                       "V SYSCLK1",
                                                       "V SYSCLK2",
                                                       "Temperature (10mV/C)",
                                                       "DIAG V3 TX1 P",
                                                       "DIAG V3 TX1 N",
                                                       "V3 DIFF TX VCM",
                                                       "V3 DIFF TX OFFS",
                                                       "DIAG V4 TX1 P",
                                                       "DIAG V4 TX1 N",
                                                       "Vref +2.5V",
                                                       "GND"}));
        t.insert("IdPDbKobraServiceLvdsSource", testPattern);
        return t;
    }();
    return tables;
}

bool isStateRecord(const SDbDefSelect* s) {
    return s && s->ids == DbHostStateList;
}

// Identifiers of a selection record in offered order.
QList<int> offeredIds(const SDbDefSelect* s) {
    QList<int> ids;
    if (s->ids) {
        for (int i = 0; i < s->idCount; ++i)
            ids.append(s->ids[i]);
    } else {
        for (int id = s->min; id <= s->max; ++id)
            ids.append(id);
    }
    return ids;
}

TextMap textsOf(const char* name, const SDbDefSelect* s) {
    if (isStateRecord(s))
        return TextMap{{DbHostStateOff, "OFF"}, {DbHostStateOn, "ON"}};
    return textTables().value(QByteArray(name));
}

} // namespace

namespace Kobra {

QString choiceText(const char* name, int id) {
    const SDbDefSelect* s = asSelect(catalogueRecord(name));
    if (!s || !offeredIds(s).contains(id))
        return QString();
    return textsOf(name, s).value(id);
}

QList<QPair<int, QString>> choices(const char* name) {
    QList<QPair<int, QString>> out;
    const SDbDefSelect* s = asSelect(catalogueRecord(name));
    if (!s)
        return out;
    const TextMap texts = textsOf(name, s);
    for (int id : offeredIds(s)) {
        const auto it = texts.constFind(id);
        if (it != texts.constEnd())
            out.append({id, it.value()});
    }
    return out;
}

} // namespace Kobra
