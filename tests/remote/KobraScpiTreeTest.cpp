// The plug-in's SCPI command tree: its records against the command list below (typed by hand, not
// derived from the tables), and the commands driven through the host parser with the plug-in loaded
// into the host runtime and the simulated boxes behind the framework.
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <tuple>
#include <vector>

#include "host/scpi/impl/CScpiRegistry.h"
#include "orglayer/FrameworkFixture.h"
#include "remote/CKobraScpiModule.h"
#include "remote/KobraScpiTables.h"
#include "support/ScpiErrorLine.h"
#include "support/ScpiLineRunner.h"

using namespace MvQARN;
using namespace oltest;

namespace {

// ---- The expected command list ------------------------------------------------------------------

// Kinds: S setting, s setting with sub-level, Q query, q query with sub-level, T event with a text
// argument, t the same with sub-level, E event without argument.
struct Expected {
    const char* path; // relative to its level
    char kind;
    const char* param;
    const char* arg;    // a valid argument for settings and text events
    const char* answer; // what the query answers after arg was written (numbers compare as numbers)
    // Where the Out side takes another value than the In side: its argument and answer.
    const char* argOut = nullptr;
    const char* answerOut = nullptr;
};

// Below BBIN:EXTernal, IQ:OUTPut:EXTernal and KOBR:USER.
const std::vector<Expected> kInterface = {
    {"CLOCk:PHASe", 'S', "IdPDbLynxClocPhas", "90", "90"},
    {"CLOCk:POLarity", 'S', "IdPDbLynxClocPol", "NEGative", "NEG"},
    {"CLOCk:RATE", 'S', "IdPDbLynxClocRate", "10MHZ", "1e7"},
    {"CLOCk:SKEW:IN", 'S', "IdPDbLynxClocInSkew", "1NS", "1e-9"},
    {"CLOCk:SKEW:OUT", 'S', "IdPDbLynxClocSkew", "-500PS", "-5e-10"},
    {"CLOCk:SOURce", 'S', "IdPDbLynxClocSour", "EXTernal", "EXT"},
    {"DATA:ALIGnment", 'S', "IdPDbLynxDataWordAlign", "LSB", "LSB"},
    {"DATA:BORDer", 'S', "IdPDbLynxDataBitOrder", "LSB", "LSB"},
    {"DATA:INEGate", 'S', "IdPDbLynxDataNegI", "ON", "1"},
    {"DATA:NFORmat", 'S', "IdPDbLynxDataNumForm", "OBINary", "OBIN"},
    {"DATA:POLarity:IQ", 'S', "IdPDbLynxDataIQPol", "NEGative", "NEG"},
    {"DATA:QNEGate", 'S', "IdPDbLynxDataNegQ", "1", "1"},
    {"DATA:SIZE", 'S', "IdPDbLynxDataWordSize", "12", "12"},
    {"DATA:SPOLarity", 'S', "IdPDbLynxDataStrobPol", "NEGative", "NEG"},
    {"DATA:SPOSition", 'S', "IdPDbLynxDataStrobPos", "3", "3"},
    {"DATA:STYPe", 'S', "IdPDbLynxSigType", "IQ", "IQ"},
    {"DATA:TYPE", 'S', "IdPDbLynxDataType", "SAMPles", "SAMP"},
    {"DIRection", 'S', "IdPDbLynxDirection", "RECeiver", "REC", "TRANsmitter", "TRAN"},
    {"DRATe", 'S', "IdPDbLynxRateMode", "DDR", "DDR"},
    {"FIRMware:INSTalled", 'S', "IdPDbLynxUsbDevFirmInstalled", "0", nullptr},
    {"FIRMware:SUPPorted", 'Q', "IdPDbLynxFirmSupported", nullptr, nullptr},
    {"FIRMware:UPDate", 'S', "IdPDbLynxUsbDevFirmUpdError", "0", nullptr},
    {"FORMat", 'S', "IdPDbLynxFormat", "PARallel", "PAR"},
    {"ILEaving", 'S', "IdPDbLynxIleavMode", "QI", "QI"},
    {"LOGic", 's', "IdPDbLynxLogicType", "CMOS25", "CMOS25"},
    {"LOGic:TYPE", 'S', "IdPDbLynxLogicType", "LVTTl", "LVTT"},
    {"SCRatio", 'S', "IdPDbLynxSCRatio", "SCR2D5", "SCR2D5"},
    {"SRATe", 'Q', "IdPDbLynxSampRate", nullptr, nullptr},
    {"SSI:CMData", 'S', "IdPDbLynxSsiCmData", "#HA5", "#HA5"},
    {"SSI:CMSize", 'Q', "IdPDbLynxSsiCmBitLen", nullptr, nullptr},
    {"SSI:GAIN:FSELect", 'Q', "IdPDbLynxSsiGainFile", nullptr, nullptr},
    {"SSI:GAIN:STATe", 'Q', "IdPDbLynxSsiGainAuto", nullptr, nullptr},
    {"SSI:LFSYnc", 'Q', "IdPDbLynxSsiFramSyncStat", nullptr, nullptr},
    {"SSI:SIZE", 'Q', "IdPDbLynxSsiWordSize", nullptr, nullptr},
    {"SSI:SPI:CLOCk:FREQuency", 'S', "IdPDbLynxSsiSpiClocFreq", "2.5MHZ", "2.5e+06"},
    {"SSI:SPI:CLOCk:PHASe", 'S', "IdPDbLynxSsiSpiClocPhas", "180", "180"},
    {"SSI:SPI:CSELect", 'Q', "IdPDbLynxSsiChipSelStat", nullptr, nullptr},
    {"SSI:SPI:FSELect", 'Q', "IdPDbLynxSsiSpiFile", nullptr, nullptr},
    {"SSI:SPI:RBYTe", 'Q', "IdPDbLynxSsiSpiDataRead", nullptr, nullptr},
    {"SSI:SPI:WBYTe", 'S', "IdPDbLynxSsiSpiDataWrite", "#H3C", "#H3C"},
};

// Only below KOBR:USER; in walk order (a setting is stored before it is loaded and deleted).
const std::vector<Expected> kUserExtras = {
    {"CLOCk:REFerence:FREQuency", 'S', "IdPiDbLynxExtRefFreq", "13MHZ", "13e6"},
    {"CLOCk:REFerence:VALue", 'Q', "IdPDbLynxExtRefFreqVal", nullptr, nullptr},
    {"PRESet", 'E', "IdPDbLynxPreset", nullptr, nullptr},
    {"SETTing:STORe", 't', "IdPDbLynxSav", "\"walk\"", nullptr},
    {"SETTing:STORe:FAST", 'S', "IdPDbLynxSavFast", "ON", "1"},
    {"SETTing:CATalog", 'Q', "IdPDbLynxCatName", nullptr, nullptr},
    {"SETTing:LOAD", 'T', "IdPDbLynxRcl", "\"walk\"", nullptr},
    {"SETTing:DELete", 'T', "IdPDbLynxDel", "\"walk\"", nullptr},
    {"STATe", 'S', "IdPDbLynxState", "OFF", "0"},
    {"TEST:RX:BER", 'Q', "IdPDbLynxTestRxBer", nullptr, nullptr},
    {"TEST:RX:SIGNal", 'S', "IdPDbLynxTestRxSource", "COUNter", "COUN"},
    {"TEST:RX:STATe", 'S', "IdPDbLynxTestRxPrbs", "ON", "1"},
    {"TEST:RX:WORDs", 'Q', "IdPDbLynxTestRxIqWords", nullptr, nullptr},
    {"TEST:TX:SIGNal", 'S', "IdPDbLynxTestTxSource", "SINE", "SINE"},
    {"TEST:TX:SINE:AMPLitude", 'S', "IdPDbLynxTestSinusGain", "-3.5", "-3.5"},
    {"TEST:TX:SINE:FREQuency", 'S', "IdPDbLynxTestSinusCwFreq", "1MHZ", "1e6"},
    {"TEST:TX:STATe", 'S', "IdPDbLynxTestTxPrbs", "ON", "1"},
    {"TRIGger:ARM", 'E', "IdPDbLynxTriggerArm", nullptr, nullptr},
    {"TRIGger:CSTat", 'Q', "IdPDbLynxTriggerStatus", nullptr, nullptr},
    {"TRIGger:DELay", 'S', "IdPDbLynxTriggerDelay", "100", "100"},
    {"TRIGger:RESTart", 'E', "IdPDbLynxTriggerRestart", nullptr, nullptr},
    {"TRIGger:SOURce", 'S', "IdPDbLynxTriggerSource", "SYNC", "SYNC"},
    {"TRIGger:STATe", 'Q', "IdPDbLynxTriggerState", nullptr, nullptr},
};

// Below KOBR.
const std::vector<Expected> kKobr = {
    {"ARB:CATalog", 'Q', "IdPDbKobraArbCatName", nullptr, nullptr},
    {"ARB:DELete", 'T', "IdPDbKobraArbDel", "\"nothing.wv\"", nullptr},
    {"CATalog", 'Q', "IdPDbKobraSerials", nullptr, nullptr},
    {"DEVice:CATalog", 'Q', "IdPDbKobraSerials", nullptr, nullptr},
    {"DEVice:BOARd:PART", 'Q', "IdPDbKobraConfigBoardPN", nullptr, nullptr},
    {"DEVice:BOARd:REVision", 'Q', "IdPDbKobraConfigBoardRev", nullptr, nullptr},
    {"DEVice:BOARd:SERial", 'Q', "IdPDbKobraConfigBoardSN", nullptr, nullptr},
    {"DEVice:BOB:REVision", 'Q', "IdPDbKobraConfigBobRev", nullptr, nullptr},
    {"DEVice:BOB:SERial", 'Q', "IdPDbKobraConfigBobSN", nullptr, nullptr},
    {"DEVice:BOB:TYPe", 'Q', "IdPDbKobraConfigBobType", nullptr, nullptr},
    {"DEVice:CONTroller", 'Q', "IdPDbKobraConfigController", nullptr, nullptr},
    {"DEVice:CPLD", 'Q', "IdPDbKobraConfigCpldVers", nullptr, nullptr},
    {"DEVice:FIRMware:INSTalled", 'Q', "IdPDbKobraConfigFirmVers", nullptr, nullptr},
    {"DEVice:FIRMware:SUPPorted", 'Q', "IdPDbLynxFirmSupported", nullptr, nullptr},
    {"DEVice:FIRMware:UPDate", 'Q', "IdPDbLynxFirmUpdError", nullptr, nullptr},
    {"DEVice:FPG:BASe", 'Q', "IdPDbKobraConfigFpgaVers", nullptr, nullptr},
    {"DEVice:FPG:BOB", 'Q', "IdPDbKobraConfigFpgaBobVers", nullptr, nullptr},
    {"DEVice:FPG:DIGio", 'Q', "IdPDbKobraConfigFpgaDigIoVers", nullptr, nullptr},
    {"DEVice:PART", 'S', "IdPDbKobraConfigPartNumber", "\"1234.5678.02\"", "\"1234.5678.02\""},
    {"DEVice:PPCVersion", 'Q', "IdPDbKobraConfigPpcVers", nullptr, nullptr},
    {"DEVice:SELect", 'S', "IdPiDbKobraConfigSelected", "100456", "100456"},
    {"DEVice:SERial", 'Q', "IdPDbKobraConfigSerialNumber", nullptr, nullptr},
    {"INST:NAME", 'Q', "IdPDbKobraInstrumentName", nullptr, nullptr},
    {"INST:PORT", 'Q', "IdPDbKobraInstrPort", nullptr, nullptr},
    {"INST:SERial", 'Q', "IdPDbKobraInstrSerialNumber", nullptr, nullptr},
    {"INST:TYPE", 'Q', "IdPDbKobraInstrType", nullptr, nullptr},
    {"SELect", 'S', "IdPiDbKobraSelected", "100123", "100123"},
    {"STATe", 'Q', "IdPDbKobraState", nullptr, nullptr},
};

// Below DIAGnostic:KOBR; the box is selected first, so the service functions have a box to work on.
const std::vector<Expected> kDiag = {
    {"SELect", 'S', "IdPiDbKobraConfigSelected", "100123", "100123"},
    {"CATalog", 'Q', "IdPDbKobraSerials", nullptr, nullptr},
    {"CPRI:TEST", 'q', "IdPDbKobraServiceCpriTestError", nullptr, nullptr},
    {"CPRI:TEST:STORe", 'T', "IdPDbKobraServiceCpriTestLogSave", "\"cpri.log\"", nullptr},
    {"DRF:TEST:FIRSt", 'Q', "IdPDbKobraServiceDigRfTestError", nullptr, nullptr},
    {"DRF:TEST:SECond", 'Q', "IdPDbKobraServiceDigRfTestError2", nullptr, nullptr},
    {"DRF:TEST:STORe", 'T', "IdPDbKobraServiceDigRfTestLogSave", "\"drf.log\"", nullptr},
    {"EEPRom:BOB:SERial", 's', "IdPDbKobraServiceBobEepromSn", "\"B0B42\"", "\"B0B42\""},
    {"EEPRom:BOB:SERial:READ", 'E', "IdPDbKobraServiceBobEepromSnRead", nullptr, nullptr},
    {"EEPRom:BOB:SERial:WRITe", 'E', "IdPDbKobraServiceBobEepromSnWrite", nullptr, nullptr},
    {"EEPRom:SERial", 'q', "IdPDbKobraServiceEepromSn", nullptr, nullptr},
    {"EEPRom:SERial:COPY", 'E', "IdPDbKobraServiceEepromSnCopy", nullptr, nullptr},
    {"EEPRom:SERial:READ", 'E', "IdPDbKobraServiceEepromSnRead", nullptr, nullptr},
    {"LEDTest", 'S', "IdPDbKobraDiagLedTest", "ON", "ON"},
    {"LVDS:BER", 'Q', "IdPDbKobraServiceLvdsBer", nullptr, nullptr},
    {"LVDS:DCM", 'Q', "IdPDbKobraServiceLvdsDcm", nullptr, nullptr},
    {"LVDS:ERRors", 'Q', "IdPDbKobraServiceLvdsErrors", nullptr, nullptr},
    {"LVDS:NDATa", 'Q', "IdPDbKobraServiceLvdsNoData", nullptr, nullptr},
    {"LVDS:PLL", 'Q', "IdPDbKobraServiceLvdsPll", nullptr, nullptr},
    {"LVDS:RCV", 'Q', "IdPDbKobraServiceLvdsReceived", nullptr, nullptr},
    {"LVDS:RX:SOURce", 'S', "IdPDbKobraServiceLvdsSource", "COUNTER", "COUNTER"},
    {"LVDS:RX:STATe", 'S', "IdPDbKobraServiceLvdsStart", "OFF", "0"},
    {"LVDS:TX:SOURce", 'S', "IdPDbKobraServiceLvdsSource", "PRBS", "PRBS"},
    {"LVDS:TX:STATe", 'S', "IdPDbKobraServiceLvdsStart", "OFF", "0"},
    {"POINt", 's', "IdPDbKobraDiagPoint", "AVCC_PLL", "AVCC_PLL"},
    {"POINt:DRF", 's', "IdPDbKobraDiagPointDigRf", "GPIOG3", "GPIOG3"},
    {"POINt:DRF:VALue", 'Q', "IdPDbKobraDiagValueDigRf", nullptr, nullptr},
    {"POINt:STATe", 'S', "IdPDbKobraDiagState", "ON", "1"},
    {"POINt:VALue", 'Q', "IdPDbKobraDiagValue", nullptr, nullptr},
};

// Nodes that are no command of their own, with the levels they lead to; the ones below the levels
// are relative and expanded in expectedNodes().
const QStringList kLevelNodes = {"BBIN", "BBIN:EXTernal", "IQ", "IQ:OUTPut", "IQ:OUTPut:EXTernal",
                                 "KOBR", "KOBR:USER"};
const QStringList kInterfaceNodes = {"CLOCk", "CLOCk:SKEW", "DATA",    "DATA:POLarity", "FIRMware",
                                     "SSI",   "SSI:GAIN",   "SSI:SPI", "SSI:SPI:CLOCk"};
const QStringList kUserNodes = {"CLOCk:REFerence", "SETTing",      "TEST",   "TEST:RX",
                                "TEST:TX",         "TEST:TX:SINE", "TRIGger"};
const QStringList kKobrNodes = {"ARB",        "DEVice", "DEVice:BOARd", "DEVice:BOB", "DEVice:FIRMware",
                                "DEVice:FPG", "INST"};
const QStringList kDiagNodes = {"CPRI",       "DRF",  "DRF:TEST", "EEPRom",
                                "EEPRom:BOB", "LVDS", "LVDS:RX",  "LVDS:TX"};

// The record kind of each kind letter.
int kindCode(char k) {
    static const std::map<char, int> codes = {{'S', 0x30}, {'s', 0x34}, {'Q', 0x10}, {'q', 0x14},
                                              {'T', 0x20}, {'t', 0x24}, {'E', 0xC0}};
    return codes.at(k);
}

struct Full {
    QString path;
    Expected e;
    unsigned flagsA;
    unsigned flagsB;
};

// Flags A of the KOBR:USER commands: the box's own settings, state and test functions carry 0xC1,
// the interface commands, the reference clock, preset and trigger control 0.
unsigned userFlagsA(const QString& rel) {
    if (rel.startsWith("SETTing") || rel == "STATe" || rel.startsWith("TEST") || rel == "TRIGger:CSTat")
        return 0xC1;
    return 0;
}

constexpr unsigned kFirmwareBit = 0x80000000u;

unsigned firmwareBit(const QString& rel) {
    return rel.endsWith("FIRMware:INSTalled") || rel.endsWith("FIRMware:UPDate") ? kFirmwareBit : 0;
}

// Every command of the tree with its full path (long form), with and without the SOURce node.
std::vector<Full> expectedCommands() {
    std::vector<Full> out;
    for (const QString& pre : {QString(), QStringLiteral("SOURce:")}) {
        for (const Expected& e : kInterface) {
            out.push_back({pre + "BBIN:EXTernal:" + e.path, e, 0xC1, firmwareBit(e.path)});
            out.push_back({pre + "IQ:OUTPut:EXTernal:" + e.path, e, 0xC1, firmwareBit(e.path)});
            out.push_back({pre + "KOBR:USER:" + e.path, e, 0, 0x10 | firmwareBit(e.path)});
        }
        for (const Expected& e : kUserExtras)
            out.push_back({pre + "KOBR:USER:" + e.path, e, userFlagsA(e.path), 0x10});
        for (const Expected& e : kKobr)
            out.push_back({pre + "KOBR:" + e.path, e, 0xC1, 0x10 | firmwareBit(e.path)});
    }
    for (const Expected& e : kDiag) {
        const QString rel = e.path;
        const bool zeroA = rel == "LVDS:BER" || rel == "LVDS:ERRors" || rel == "LVDS:RCV";
        out.push_back({"DIAGnostic:KOBR:" + rel, e, zeroA ? 0u : 0xC1u, 0x10});
    }
    return out;
}

QSet<QString> expectedNodes() {
    QSet<QString> out{"SOURce", "DIAGnostic", "DIAGnostic:KOBR"};
    for (const QString& pre : {QString(), QStringLiteral("SOURce:")}) {
        for (const QString& n : kLevelNodes)
            out.insert(pre + n);
        for (const QString& n : kInterfaceNodes)
            for (const char* level : {"BBIN:EXTernal:", "IQ:OUTPut:EXTernal:", "KOBR:USER:"})
                out.insert(pre + level + n);
        for (const QString& n : kUserNodes)
            out.insert(pre + "KOBR:USER:" + n);
        for (const QString& n : kKobrNodes)
            out.insert(pre + "KOBR:" + n);
    }
    for (const QString& n : kDiagNodes)
        out.insert("DIAGnostic:KOBR:" + n);
    return out;
}

// ---- The tree as the tables hold it ------------------------------------------------------------

// Every record reachable from the root, by full path; problems of the table structure on the way.
class TableWalker {
public:
    TableWalker() {
        int count = 0;
        const Kobra::SScpiArray* arrays = Kobra::scpiArrays(count);
        for (int i = 0; i < count; ++i)
            m_bySlot.insert(arrays[i].slot, arrays[i].commands);
        walk(arrays[0].commands, QString(), 0);
    }

    QMap<QString, const SScpiCmd*> commands;
    QMap<QString, const SScpiCmd*> nodes;
    QStringList problems;

private:
    void walk(const SScpiCmd* array, const QString& prefix, int depth) {
        if (depth > 12) {
            problems << "too deep at " + prefix;
            return;
        }
        for (const SScpiCmd* c = array; c->mnemonic; ++c) {
            const QString path = prefix + QString::fromLatin1(c->mnemonic);
            auto& map = c->kind == ScpiKindNode ? nodes : commands;
            if (map.contains(path))
                problems << "twice: " + path;
            map.insert(path, c);
            if (c->sub) {
                const SScpiCmd* child = m_bySlot.value(c->sub, nullptr);
                if (!child)
                    problems << "sub-level slot without an array at " + path;
                else
                    walk(child, path + ":", depth + 1);
            } else if (c->kind & ScpiKindSub) {
                problems << "kind with sub-level but no slot at " + path;
            }
        }
    }
    QMap<SScpiParseTable**, const SScpiCmd*> m_bySlot;
};

TEST(KobraScpiTables, EveryCommandPathIsSpelledAsListedWithItsKindParameterAndFlags) {
    const TableWalker tree;
    EXPECT_TRUE(tree.problems.isEmpty()) << tree.problems.join("\n").toStdString();

    const std::vector<Full> expected = expectedCommands();
    QSet<QString> expectedPaths;
    for (const Full& f : expected) {
        expectedPaths.insert(f.path);
        auto it = tree.commands.find(f.path);
        if (it == tree.commands.end()) {
            ADD_FAILURE() << "missing command " << f.path.toStdString();
            continue;
        }
        const SScpiCmd* c = *it;
        EXPECT_EQ(std::tuple(c->kind, std::string(c->param), c->flagsA, c->flagsB),
                  std::tuple(kindCode(f.e.kind), std::string(f.e.param), f.flagsA, f.flagsB))
            << f.path.toStdString();
        // Events without argument have no descriptor; everything else has one.
        EXPECT_TRUE(f.e.kind == 'E' ? !c->arg : c->arg || c->answer) << f.path.toStdString();
    }
    for (auto it = tree.commands.begin(); it != tree.commands.end(); ++it)
        EXPECT_TRUE(expectedPaths.contains(it.key()))
            << "command not in the list: " << it.key().toStdString();

    const QSet<QString> nodes = expectedNodes();
    for (const QString& n : nodes)
        EXPECT_TRUE(tree.nodes.contains(n)) << "missing node " << n.toStdString();
    for (auto it = tree.nodes.begin(); it != tree.nodes.end(); ++it) {
        EXPECT_TRUE(nodes.contains(it.key())) << "node not in the list: " << it.key().toStdString();
        EXPECT_EQ((*it)->code, 0) << it.key().toStdString();
        EXPECT_EQ((*it)->param, nullptr) << it.key().toStdString();
    }
}

TEST(KobraScpiTables, SuffixWordsSitOnTheirNodesOnly) {
    const TableWalker tree;
    const QMap<QString, int> suffixes = {{"DIAGnostic", 1},
                                         {"SOURce", 1},
                                         {"KOBR:INST", 2},
                                         {"SOURce:KOBR:INST", 2},
                                         {"DIAGnostic:KOBR:LVDS:RX", 258},
                                         {"DIAGnostic:KOBR:LVDS:TX", 266},
                                         {"IQ:OUTPut:EXTernal", 268},
                                         {"SOURce:IQ:OUTPut:EXTernal", 268}};
    for (const auto* map : {&tree.nodes, &tree.commands})
        for (auto it = map->begin(); it != map->end(); ++it)
            EXPECT_EQ((*it)->suffix, suffixes.value(it.key(), 0)) << it.key().toStdString();
}

TEST(KobraScpiTables, CommandCodesAreOnePerParameterInsideTheirRange) {
    const TableWalker tree;
    QMap<QString, int> codeOf;
    QMap<int, QString> paramOf;
    for (auto it = tree.commands.begin(); it != tree.commands.end(); ++it) {
        const SScpiCmd* c = *it;
        const QString param = QString::fromLatin1(c->param);
        EXPECT_GE(c->code, 0x50910) << it.key().toStdString();
        EXPECT_LE(c->code, 0x50980) << it.key().toStdString();
        if (codeOf.contains(param)) {
            EXPECT_EQ(codeOf.value(param), c->code) << it.key().toStdString();
        }
        if (paramOf.contains(c->code)) {
            EXPECT_EQ(paramOf.value(c->code), param) << it.key().toStdString();
        }
        codeOf.insert(param, c->code);
        paramOf.insert(c->code, param);
    }
    EXPECT_EQ(tree.commands.value("BBIN:EXTernal:SSI:SPI:CLOCk:FREQuency")->code, 0x5096C);
    EXPECT_EQ(tree.commands.value("KOBR:USER:SSI:SPI:CLOCk:FREQuency")->code, 0x5096C);
    EXPECT_EQ(tree.commands.value("SOURce:IQ:OUTPut:EXTernal:SSI:SPI:CLOCk:FREQuency")->code, 0x5096C);
}

TEST(KobraScpiTables, InterfaceLevelsAreSeparateArraysWithIdenticalRecordsSharedWithTheSourcePaths) {
    const TableWalker tree;
    const SScpiCmd* bbin = tree.nodes.value("BBIN:EXTernal");
    const SScpiCmd* iq = tree.nodes.value("IQ:OUTPut:EXTernal");
    ASSERT_NE(bbin, nullptr);
    ASSERT_NE(iq, nullptr);
    EXPECT_NE(bbin->sub, iq->sub);
    for (const Expected& e : kInterface) {
        const SScpiCmd* a = tree.commands.value(QStringLiteral("BBIN:EXTernal:") + e.path);
        const SScpiCmd* b = tree.commands.value(QStringLiteral("IQ:OUTPut:EXTernal:") + e.path);
        ASSERT_TRUE(a && b) << e.path;
        // Same record apart from the sub-level slot, which is each level's own.
        SScpiCmd sameSub = *b;
        sameSub.sub = a->sub;
        EXPECT_EQ(0, std::memcmp(a, &sameSub, sizeof(SScpiCmd))) << e.path;
        if (a->sub) {
            EXPECT_NE(a->sub, b->sub) << e.path;
        }
        for (const char* level : {"BBIN:EXTernal:", "IQ:OUTPut:EXTernal:", "KOBR:USER:"}) {
            const QString path = QString::fromLatin1(level) + e.path;
            EXPECT_EQ(tree.commands.value(path), tree.commands.value("SOURce:" + path)) << path.toStdString();
        }
    }
}

TEST(KobraScpiModuleLife, TheModuleBuildsEveryTableOnceAndFreesThemWhenItGoes) {
    int arrays = 0;
    Kobra::scpiArrays(arrays);
    {
        CKobraScpiModule module;
        EXPECT_EQ(module.getModuleNumber(), 330000);
        EXPECT_TRUE(module.isRegistered());
        EXPECT_EQ(Kobra::g_scpiTableCount, arrays);
        EXPECT_EQ(module.getRootTable(), Kobra::g_scpiTableList[0]);
        for (int i = 0; i < arrays; ++i)
            EXPECT_NE(Kobra::g_scpiTableList[i], nullptr) << i;
        EXPECT_TRUE(CScpiRegistry::instance().modules().contains(&module));
    }
    EXPECT_EQ(Kobra::g_scpiTableCount, 0);
    EXPECT_EQ(Kobra::g_scpiTableList[0], nullptr);
    for (CScpiModule* m : CScpiRegistry::instance().modules())
        EXPECT_NE(m->getModuleNumber(), 330000);
}

// ---- Through the host -------------------------------------------------------------------------------

constexpr int kBoxA = 100123;

class KobraScpiHostTest : public HostWithBoxes, public ScpiLineRunner {
protected:
    void SetUp() override {
        startHost({QStringLiteral(VGX_BUILD_DIR "/plugins/libkobra.so")});
        QString error;
        ASSERT_TRUE(m_runtime->start(&error)) << error.toStdString();
        listBoxes();
    }
    void TearDown() override { stopHost(); }
};

TEST_F(KobraScpiHostTest, ThePlugInsTreeIsRegisteredOnceAndLeavesTheParserWithIt) {
    int found = 0;
    for (CScpiModule* m : CScpiRegistry::instance().modules())
        found += m->getModuleNumber() == 330000 && m->getRootTable() ? 1 : 0;
    EXPECT_EQ(found, 1);
    EXPECT_EQ(run("KOBR:CATalog?"), "\"None\",\"100123\",\"100456\"");
    EXPECT_TRUE(errors().isEmpty());
    m_runtime->shutdown();
    for (CScpiModule* m : CScpiRegistry::instance().modules())
        EXPECT_NE(m->getModuleNumber(), 330000);
    EXPECT_EQ(run("KOBR:CATalog?"), "");
    EXPECT_FALSE(errors().isEmpty());
}

TEST_F(KobraScpiHostTest, SourceAndPlainUserPathsReachTheSameDirection) {
    // SOURce (1) and no SOURce both address path 0, In side, whose direction is fixed to receiver:
    // both forms are refused alike and read the same instance.
    for (const char* line : {"SOURce:KOBR:USER:DIRection TRANsmitter", "KOBR:USER:DIRection TRANsmitter"}) {
        EXPECT_EQ(run(line), "");
        EXPECT_EQ(errors(), QStringList{scpiErrorEntry(ScpiErrDataOutOfRange)}) << line;
    }
    ok("SOURce:KOBR:USER:DIRection RECeiver;:KOBR:USER:DIRection RECeiver");
    EXPECT_EQ(run("SOURce:KOBR:USER:DIRection?;:KOBR:USER:DIRection?"), "REC;REC");

    // On an Out side both forms write the same instance.
    ok("SOURce3:KOBR:USER:DIRection TRANsmitter");
    EXPECT_EQ(readInt("IdPDbLynxDirection", tup(0, 1)), 1);
    EXPECT_EQ(run("SOURce3:KOBR:USER:DIRection?;:IQ:OUTPut:EXTernal:DIRection?"), "TRAN;TRAN");

    // Under KOBR:USER the selector gives path and side; under BBIN the side is In, under IQ:OUTPut Out.
    ok("SOURce4:KOBR:USER:DIRection TRANsmitter");
    EXPECT_EQ(readInt("IdPDbLynxDirection", tup(1, 1)), 1);
    ok("SOURce4:BBIN:EXTernal:DIRection RECeiver");
    EXPECT_EQ(readInt("IdPDbLynxDirection", tup(1, 0)), 0);
    ok("SOURce2:IQ:OUTPut:EXTernal:DIRection TRANsmitter");
    EXPECT_EQ(run("SOUR2:BBIN:EXT:DIR?;:SOUR2:IQ:OUTP:EXT:DIR?"), "REC;TRAN");

    // A setting that is free on both sides: the SOURce and the plain path land on the same instance.
    for (const auto& [line, t0, t1, size] : {std::tuple{"SOURce:KOBR:USER:DATA:SIZE 9", 0, 0, 9},
                                             {"KOBR:USER:DATA:SIZE 11", 0, 0, 11},
                                             {"SOURce4:KOBR:USER:DATA:SIZE 7", 1, 1, 7}}) {
        ok(line);
        EXPECT_EQ(readInt("IdPDbLynxDataWordSize", tup(t0, t1)), size) << line;
    }
    EXPECT_EQ(readInt("IdPDbLynxDataWordSize", tup(0, 0)), 11);
}

TEST_F(KobraScpiHostTest, KeywordsWriteTheirListedValues) {
    setInt("IdPDbProtLevState", tup(0, 0), 0); // the diagnostic points are service functions
    const struct {
        const char* command;
        const char* param;
        int t1;
        std::vector<std::pair<const char*, int>> keywords;
    } cases[] = {
        {"BBIN:EXTernal:LOGic", "IdPDbLynxLogicType", 0, {{"CMOS12", 8}}},
        {"IQ:OUTPut:EXTernal:LOGic:TYPE", "IdPDbLynxLogicType", 1, {{"CMOS15", 5}}},
        {"DIAGnostic:KOBR:POINt",
         "IdPDbKobraDiagPoint",
         0,
         {{"AVTT", 3}, {"AVCC_PLL", 2}, {"GND1", 15}, {"PPC_VCC_INT", 17}, {"PPC_TEMP", 16}}},
        {"DIAG:KOBR:POIN:DRF",
         "IdPDbKobraDiagPointDigRf",
         0,
         {{"GPIOG0", 8}, {"GPIOG4", 12}, {"DIAGV4GTX", 15}, {"GND", 31}}},
    };
    for (const auto& c : cases)
        for (const auto& [keyword, value] : c.keywords) {
            ok(QStringLiteral("%1 %2").arg(c.command, keyword));
            EXPECT_EQ(readInt(c.param, tup(0, c.t1)), value) << c.command << " " << keyword;
            EXPECT_EQ(run(QStringLiteral("%1?").arg(c.command)), keyword);
        }
}

TEST_F(KobraScpiHostTest, SpiClockFrequencyAnswersInHertz) {
    setInt("IdPDbLynxSsiSpiClocFreq", tup(0, 0), 3);
    EXPECT_EQ(run("BBIN:EXTernal:SSI:SPI:CLOCk:FREQuency?"), "8.333e+06");
    EXPECT_TRUE(errors().isEmpty());

    const QStringList keywords = {"1MHZ", "2.5MHZ", "5MHZ", "8.333MHZ", "12.5MHZ", "25MHZ"};
    const QStringList answers = {"1e+06", "2.5e+06", "5e+06", "8.333e+06", "1.25e+07", "2.5e+07"};
    for (int i = 0; i < keywords.size(); ++i) {
        ok("KOBR:USER:SSI:SPI:CLOC:FREQ " + keywords[i]);
        EXPECT_EQ(readInt("IdPDbLynxSsiSpiClocFreq", tup(0, 0)), i);
        EXPECT_EQ(run("KOBR:USER:SSI:SPI:CLOC:FREQ?"), answers[i]) << i;
    }
    // The answer follows the interface addressed; other queries keep the host's answer.
    ok("IQ:OUTP:EXT:SSI:SPI:CLOC:FREQ 5MHZ;PHAS 180");
    EXPECT_EQ(run("IQ:OUTP:EXT:SSI:SPI:CLOC:FREQ?;PHAS?;:BBIN:EXT:SSI:SPI:CLOC:FREQ?"), "5e+06;180;2.5e+07");
    EXPECT_EQ(CKobraScpiModule::spiClockFrequency(6), 0.0);
    EXPECT_EQ(CKobraScpiModule::spiClockFrequency(-1), 0.0);
}

// Errors the box legitimately reports during the walk: the end of the path and the error it gives.
struct Exception {
    const char* pathEnd;
    int code;
    const char* why;
};
const Exception kExceptions[] = {
    {"BBIN:EXTernal:SSI:CMData", 20021, "SSI control data is refused while the direction is receiver"},
    {"KOBR:USER:SSI:CMData", 20021, "SSI control data is refused while the direction is receiver"},
    {"KOBR:ARB:DELete", 20012, "no waveform of that name"},
};

bool sameAnswer(const QString& got, const QString& expected) {
    bool okGot = false, okExpected = false;
    const double g = got.toDouble(&okGot);
    const double e = expected.toDouble(&okExpected);
    if (okGot && okExpected)
        return std::abs(g - e) <= 1e-9 * std::max(std::abs(e), 1e-12);
    return got == expected;
}

TEST_F(KobraScpiHostTest, WalkEveryCommandOfTheTree) {
    // Service functions unlocked, as a service technician would work, on a box with a DigRF board
    // (the LED test loads that board's FPGA).
    setInt("IdPDbProtLevState", tup(0, 0), 0);
    ASSERT_TRUE(m_boxes.modifyBox(
        kBoxA, [](vgxsim::SimBox& b) { b.board.partNumber = vgxsim::SimBox::DigRfBoardPartNumber; }));
    const std::vector<Full> all = expectedCommands();
    QStringList failures;
    QMap<QString, int> excepted; // path end -> times met
    int settings = 0, queries = 0, events = 0;
    for (const Full& f : all) {
        const Expected& e = f.e;
        const bool out = f.path.contains("IQ:OUTPut");
        const char* arg = out && e.argOut ? e.argOut : e.arg;
        const char* expected = out && e.answerOut ? e.answerOut : e.answer;
        const bool isSetting = e.kind == 'S' || e.kind == 's';
        const bool isQuery = e.kind == 'Q' || e.kind == 'q';
        const Exception* exception = nullptr;
        for (const Exception& x : kExceptions)
            if (f.path == x.pathEnd || f.path == QStringLiteral("SOURce:") + x.pathEnd)
                exception = &x;
        if (!isQuery) {
            const QString line = arg ? f.path + " " + arg : f.path;
            const QString a = run(line);
            const QStringList err = errors();
            if (exception) {
                if (err.size() != 1 || !err.first().startsWith(QString::number(exception->code) + ","))
                    failures << line + " -> " + err.join(" | ") + ", expected " +
                                    QString::number(exception->code) + " (" + exception->why + ")";
                ++excepted[exception->pathEnd];
            } else if (!a.isEmpty() || !err.isEmpty()) {
                failures << line + " -> [" + a + "] " + err.join(" | ");
            }
            isSetting ? ++settings : ++events;
        }
        if (isSetting || isQuery) {
            const QString a = run(f.path + "?");
            const QStringList err = errors();
            if (a.isEmpty() || !err.isEmpty())
                failures << f.path + "? -> [" + a + "] " + err.join(" | ");
            else if (isSetting && !exception && expected && !sameAnswer(a, QString::fromLatin1(expected)))
                failures << f.path + "? -> " + a + ", expected " + expected;
            if (isQuery)
                ++queries;
        }
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.join("\n").toStdString();
    // Every exception listed is met with and without SOURce, so the list stays honest.
    for (const Exception& x : kExceptions)
        EXPECT_EQ(excepted.value(x.pathEnd), 2) << x.pathEnd;
    EXPECT_EQ(settings + queries + events, int(all.size()));
}

// A number is taken at the parameter's resolution before its checks: an integer-step value is stored
// whole, and a value that rounds into the limits is accepted.
TEST_F(KobraScpiHostTest, NumbersAreTakenAtTheParametersResolutionBeforeTheChecks) {
    auto stored = [this](const char* name) {
        double v = -1.0;
        db().dataBaseIfc()->getNumber(name, v, 0, 0, 0, 0);
        return v;
    };
    const struct {
        const char* line;
        const char* query;
        const char* param;
        double value;
        const char* answer;
    } cases[] = {
        {"KOBR:USER:DATA:SIZE 12.4", "KOBR:USER:DATA:SIZE?", "IdPDbLynxDataWordSize", 12.0, "12"},
        {"KOBR:USER:TRIGger:DELay 10.6", "KOBR:USER:TRIGger:DELay?", "IdPDbLynxTriggerDelay", 11.0, "11"},
        {"KOBR:USER:TRIGger:DELay 65535.4", "KOBR:USER:TRIGger:DELay?", "IdPDbLynxTriggerDelay", 65535.0,
         "65535"},
        {"KOBR:USER:CLOCk:RATE 12345678.9004", "KOBR:USER:CLOCk:RATE?", "IdPDbLynxClocRate", 12345678.9,
         "12345678.9"},
        {"KOBR:USER:CLOCk:SKEW:OUT 123PS", "KOBR:USER:CLOCk:SKEW:OUT?", "IdPDbLynxClocSkew", 1e-10, "1e-10"},
        {"KOBR:USER:DATA:SIZE 16;SPOSition 15.4", "KOBR:USER:DATA:SPOSition?", "IdPDbLynxDataStrobPos", 15.0,
         "15"},
        {"KOBR:USER:TEST:TX:SINE:AMPLitude -3.456", "KOBR:USER:TEST:TX:SINE:AMPLitude?",
         "IdPDbLynxTestSinusGain", -3.46, "-3.46"},
    };
    for (const auto& c : cases) {
        ok(c.line);
        EXPECT_EQ(stored(c.param), c.value) << c.line;
        EXPECT_EQ(run(c.query), c.answer) << c.line;
        EXPECT_TRUE(errors().isEmpty()) << c.query;
    }
    // Past the limit after rounding it is still refused, and the stored value stays.
    refused("KOBR:USER:DATA:SIZE 18.6", ScpiErrDataOutOfRange);
    EXPECT_EQ(stored("IdPDbLynxDataWordSize"), 16.0);
}

// A value an index function shares among the interfaces: every interface instance holds it, and every
// SOURce and DIAGnostic suffix reaches the same value.
TEST_F(KobraScpiHostTest, EverySuffixReachesAValueAnIndexFunctionShares) {
    auto shared = [](const char* param) {
        const QList<const SDbDefCommon*> recs = db().records(param);
        return !recs.isEmpty() &&
               std::all_of(recs.begin(), recs.end(), [](const SDbDefCommon* d) { return d->idx != nullptr; });
    };
    QStringList failures;
    QSet<QString> params;
    for (const Full& f : expectedCommands()) {
        const Expected& e = f.e;
        const bool setting = e.kind == 'S' || e.kind == 's';
        if (!shared(e.param) || !(setting || e.kind == 'Q' || e.kind == 'q'))
            continue;
        const QString node = f.path.startsWith("SOURce:")       ? QStringLiteral("SOURce")
                             : f.path.startsWith("DIAGnostic:") ? QStringLiteral("DIAGnostic")
                                                                : QString();
        if (node.isEmpty())
            continue;
        params.insert(QString::fromLatin1(e.param));
        const QString rest = f.path.mid(node.size());
        auto pathOf = [&](int n) { return node + QString::number(n) + rest; };
        QString expected = run(pathOf(1) + "?");
        for (int n = 1; n <= 4; ++n) {
            if (setting && e.arg) {
                const QString line = pathOf(n) + " " + e.arg;
                run(line);
                if (const QStringList err = errors(); !err.isEmpty())
                    failures << line + " -> " + err.join(" | ");
                expected = e.answer ? QString::fromLatin1(e.answer) : run(pathOf(n) + "?");
            }
            for (int m = 1; m <= 4; ++m) {
                const QString a = run(pathOf(m) + "?");
                const QStringList err = errors();
                if (!err.isEmpty() || !sameAnswer(a, expected))
                    failures << QStringLiteral("%1? after suffix %2 -> [%3] %4, expected %5")
                                    .arg(pathOf(m))
                                    .arg(n)
                                    .arg(a, err.join(" | "), expected);
            }
        }
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.join("\n").toStdString();
    EXPECT_TRUE(params.contains("IdPiDbKobraConfigSelected")) << "the configured box is one of them";
    EXPECT_TRUE(params.contains("IdPDbKobraSerials"));

    // In the database: each instance of the interfaces and lists maps to the value of its sharing.
    for (const QByteArray& name : db().names()) {
        for (const SDbDefCommon* d : db().records(name.constData())) {
            if (!d->idx)
                continue;
            for (int t0 = 0; t0 < 2; ++t0)
                for (int t1 = 0; t1 < 2; ++t1)
                    for (int t2 = d->firstA[2]; t2 < d->firstA[2] + std::max(1, d->countA[2]); ++t2)
                        for (int t3 = d->firstA[3]; t3 < d->firstA[3] + std::max(1, d->countA[3]); ++t3) {
                            SDbInstTupel mapped{t0, t1, t2, t3};
                            ASSERT_EQ(d->idx(mapped), 0);
                            const SDbDefCommon* found = nullptr;
                            SDbInstTupel stored, sharedStored;
                            EXPECT_EQ(db().locate(name.constData(), {t0, t1, t2, t3}, found, stored), 0)
                                << name.constData() << " " << t0 << t1 << t2 << t3;
                            EXPECT_EQ(db().locate(name.constData(), mapped, found, sharedStored), 0);
                            EXPECT_TRUE(stored.t0 == sharedStored.t0 && stored.t1 == sharedStored.t1 &&
                                        stored.t2 == sharedStored.t2 && stored.t3 == sharedStored.t3)
                                << name.constData() << " " << t0 << t1 << t2 << t3;
                        }
        }
    }
}

} // namespace
