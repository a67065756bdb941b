// The plug-in's SCPI tree: its tables' structure, every command walked through the host parser with
// the plug-in and simulated boxes behind it, the instance each suffix addresses, and irregular answers.
#include <QMap>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include "host/scpi/impl/CScpiRegistry.h"
#include "orglayer/FrameworkFixture.h"
#include "params/KobraCatalogue.h"
#include "remote/CKobraScpiModule.h"
#include "remote/KobraScpiTables.h"
#include "support/QtGTestPrinters.h"
#include "support/ScpiErrorLine.h"
#include "support/ScpiLineRunner.h"

using namespace MvQARN;
using namespace oltest;

namespace {

constexpr int kModuleNumber = 330000;

// Every record reachable from the root, by full path (long form); problems of the table structure.
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

TEST(KobraScpiTables, EveryCommandReachesACatalogueParameterUnderOneCodeOfItsOwn) {
    const TableWalker tree;
    EXPECT_TRUE(tree.problems.isEmpty()) << tree.problems.join("\n").toStdString();
    ASSERT_FALSE(tree.commands.isEmpty());
    for (auto it = tree.nodes.begin(); it != tree.nodes.end(); ++it)
        EXPECT_TRUE((*it)->code == 0 && !(*it)->param) << it.key().toStdString();

    QMap<QString, int> codeOf;
    QMap<int, QString> paramOf;
    for (auto it = tree.commands.begin(); it != tree.commands.end(); ++it) {
        const SScpiCmd* c = *it;
        const std::string path = it.key().toStdString();
        ASSERT_NE(c->param, nullptr) << path;
        const QString param = QString::fromLatin1(c->param);
        EXPECT_GT(Kobra::catalogueRecordCount(c->param), 0) << path;
        EXPECT_GE(c->code, Kobra::ScpiFirstCode) << path;
        EXPECT_LE(c->code, Kobra::ScpiLastCode) << path;
        EXPECT_EQ(codeOf.value(param, c->code), c->code) << path;
        EXPECT_EQ(paramOf.value(c->code, param), param) << path;
        codeOf.insert(param, c->code);
        paramOf.insert(c->code, param);
        // Events without argument have no descriptor; everything else has one.
        EXPECT_TRUE(c->kind == ScpiKindEvent ? !c->arg : c->arg || c->answer) << path;
    }
}

// ---- Through the host -------------------------------------------------------------------------------

constexpr int kBoxA = 100123;

bool sameAnswer(const QString& got, const QString& expected) {
    bool okGot = false, okExpected = false;
    const double g = got.toDouble(&okGot);
    const double e = expected.toDouble(&okExpected);
    if (okGot && okExpected)
        return std::abs(g - e) <= 1e-9 * std::max(std::abs(e), 1e-12);
    return got == expected;
}

class KobraScpiHostTest : public HostWithBoxes, public ScpiLineRunner {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(startHostWithKobra());
        listBoxes();
        setInt("IdPDbProtLevState", tup(0, 0), 0); // service functions unlocked
    }
    void TearDown() override { stopHost(); }

    QString stored(const char* name, const SDbInstTupel& t) {
        CDbAllType v;
        EXPECT_EQ(db().readStored(name, t, v), 0) << name;
        return v.toText();
    }
};

TEST_F(KobraScpiHostTest, ThePlugInsTreeIsRegisteredOnceAndLeavesTheParserWithIt) {
    int found = 0;
    for (CScpiModule* m : CScpiRegistry::instance().modules())
        found += m->getModuleNumber() == kModuleNumber && m->getRootTable() ? 1 : 0;
    EXPECT_EQ(found, 1);
    EXPECT_EQ(run("KOBR:CATalog?"), "\"None\",\"100123\",\"100456\"");
    EXPECT_TRUE(errors().isEmpty());
    m_runtime->shutdown();
    EXPECT_EQ(run("KOBR:CATalog?"), "");
    EXPECT_FALSE(errors().isEmpty());
}

// A reset or an interface preset resets settings, not the connected boxes nor which box an interface
// uses: selection and box state stay together, so no other interface can take the box.
TEST_F(KobraScpiHostTest, ResetAndInterfacePresetKeepTheBoxes) {
    const QString boxes = run("KOBR:CATalog?");
    ok("KOBR:SELect 100123");
    const QString state = stored("IdPDbKobraState", tup(0, 0));
    ok("KOBR:USER:PRESet");
    EXPECT_EQ(run("KOBR:SELect?"), "100123");
    EXPECT_EQ(stored("IdPDbKobraState", tup(0, 0)), state);
    ok("*RST");
    EXPECT_EQ(run("KOBR:CATalog?"), boxes);
    ok("KOBR:SELect 100456");
    EXPECT_EQ(run("KOBR:SELect?"), "100456");
}

// The instance a line writes: interface selectors (SOURce<n>, DIAGnostic<n>), the fixed Out side of
// IQ:OUTPut:EXTernal, the In side below BBIN, the link of LVDS:RX and LVDS:TX and the list index of
// INST<n>.
TEST_F(KobraScpiHostTest, SuffixesAndFixedNodesAddressTheirInstance) {
    setText("IdPDbKobraInstrumentName", tup(1, 1, 0, 1), "link B");
    const struct {
        const char* line;
        const char* param;
        SDbInstTupel t;
        const char* value;
    } cases[] = {
        {"SOURce:KOBR:USER:DATA:SIZE 9", "IdPDbLynxDataWordSize", tup(0, 0), "9"},
        {"SOURce4:KOBR:USER:DATA:SIZE 7", "IdPDbLynxDataWordSize", tup(1, 1), "7"},
        {"SOURce4:BBIN:EXTernal:DATA:SIZE 8", "IdPDbLynxDataWordSize", tup(1, 0), "8"},
        {"SOURce2:IQ:OUTPut:EXTernal:DATA:SIZE 10", "IdPDbLynxDataWordSize", tup(1, 1), "10"},
        {"IQ:OUTP:EXT:DATA:SIZE 12", "IdPDbLynxDataWordSize", tup(0, 1), "12"},
        {"DIAGnostic:KOBR:LVDS:RX:SOURce COUNTER", "IdPDbKobraServiceLvdsSource", tup(0, 0, 0, 1), "1"},
        {"DIAG:KOBR:LVDS:TX:SOUR COUNTER", "IdPDbKobraServiceLvdsSource", tup(0, 0, 0, 0), "1"},
    };
    for (const auto& c : cases) {
        ok(c.line);
        EXPECT_EQ(stored(c.param, c.t), c.value) << c.line;
    }
    EXPECT_EQ(run("SOURce4:KOBR:INST2:NAME?"), "\"link B\"");
    EXPECT_EQ(run("SOURce4:KOBR:INST:NAME?"), "\"not connected\"");
    EXPECT_EQ(run("SOURce3:KOBR:INST2:NAME?"), "\"not connected\"");
    EXPECT_TRUE(errors().isEmpty());
    // The In side's direction is fixed to receiver, whichever path form addresses it.
    for (const char* line : {"SOURce:KOBR:USER:DIRection TRANsmitter", "BBIN:EXTernal:DIRection TRANsmitter"})
        refused(line, -222);
    refused("SOURce5:KOBR:USER:DATA:SIZE 9", -114);
    refused("KOBR:INST9:NAME?", -114);
}

// Keywords whose values are not their table position, numbers with units and answers the module
// replaces: what each line stores and what its query answers.
TEST_F(KobraScpiHostTest, KeywordsUnitsAndAnswersThatDoNotFollowThePosition) {
    const struct {
        const char* command;
        const char* arg;
        const char* param;
        SDbInstTupel t;
        const char* value;
        const char* answer;
    } cases[] = {
        {"BBIN:EXTernal:LOGic", "CMOS12", "IdPDbLynxLogicType", tup(0, 0), "8", "CMOS12"},
        {"IQ:OUTPut:EXTernal:LOGic:TYPE", "CMOS15", "IdPDbLynxLogicType", tup(0, 1), "5", "CMOS15"},
        {"DIAGnostic:KOBR:POINt", "AVCC_PLL", "IdPDbKobraDiagPoint", tup(0, 0), "2", "AVCC_PLL"},
        {"KOBR:USER:SSI:SPI:CLOCk:PHASe", "180", "IdPDbLynxSsiSpiClocPhas", tup(0, 0), "2", "180"},
        {"KOBR:USER:CLOCk:SKEW:OUT", "-500PS", "IdPDbLynxClocSkew", tup(0, 0), "-5e-10", "-5e-10"},
        {"KOBR:USER:CLOCk:RATE", "12.5MHZ", "IdPDbLynxClocRate", tup(0, 0), "12500000", "1.25e7"},
        // The SPI clock answers in hertz for the interface addressed.
        {"KOBR:USER:SSI:SPI:CLOC:FREQ", "8.333MHZ", "IdPDbLynxSsiSpiClocFreq", tup(0, 0), "3", "8.333e+06"},
        {"IQ:OUTP:EXT:SSI:SPI:CLOC:FREQ", "5MHZ", "IdPDbLynxSsiSpiClocFreq", tup(0, 1), "2", "5e+06"},
        {"KOBR:USER:SSI:SPI:WBYTe", "#H3C", "IdPDbLynxSsiSpiDataWrite", tup(0, 0), "8:3c000000", "#H3C"},
        // The box by serial number: its entry in the box list.
        {"SOURce3:KOBR:SELect", "100456", "IdPDbKobraSelected", tup(0, 1), "2", "100456"},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.command) + " " + c.arg;
        ok(QStringLiteral("%1 %2").arg(QLatin1String(c.command), QLatin1String(c.arg)));
        EXPECT_TRUE(sameAnswer(stored(c.param, c.t), QLatin1String(c.value)))
            << what << ": " << stored(c.param, c.t).toStdString();
        const QString answer = run(QStringLiteral("%1?").arg(QLatin1String(c.command)));
        EXPECT_TRUE(sameAnswer(answer, QLatin1String(c.answer)))
            << what << " answered " << answer.toStdString();
        EXPECT_TRUE(errors().isEmpty()) << what;
    }
    // The other interface keeps the host's answer form of its own selection.
    EXPECT_EQ(run("BBIN:EXT:SSI:SPI:CLOC:FREQ?;PHAS?"), "8.333e+06;180");
}

// Every command of the tree, with and without SOURce: a query answers without an error; a setting
// takes back what its query answered and answers the same again; events run; text events store,
// load and delete a setting of their own. Errors the box legitimately reports are listed below.
struct Exception {
    const char* path; // without the SOURce node
    int code;
    const char* why;
};
// Settings whose query answers in another form than their argument takes, with an argument of theirs.
const std::pair<const char*, const char*> kArguments[] = {
    {"SSI:SPI:CLOCk:FREQuency", "1MHZ"}, // answers in hertz
    {"FIRMware:INSTalled", "0"},         // answers the installed version
};
const Exception kExceptions[] = {
    {"BBIN:EXTernal:SSI:CMData", 20021, "SSI control data is refused while the direction is receiver"},
    {"KOBR:USER:SSI:CMData", 20021, "SSI control data is refused while the direction is receiver"},
    {"KOBR:ARB:DELete", 20012, "no waveform of that name"},
};

TEST_F(KobraScpiHostTest, WalkEveryCommandOfTheTree) {
    // The LED test loads the FPGA of a DigRF board; the service functions work on the configured box.
    ASSERT_TRUE(m_boxes.modifyBox(
        kBoxA, [](vgxsim::SimBox& b) { b.board.partNumber = vgxsim::SimBox::DigRfBoardPartNumber; }));
    setNumber("IdPiDbKobraConfigSelected", tup(0, 0), kBoxA);

    const TableWalker tree;
    // Text events last, stores before loads before deletes, so each finds the setting it needs.
    auto textRank = [](const QString& path) {
        return path.endsWith("STORe") ? 0 : path.endsWith("LOAD") ? 1 : 2;
    };
    QList<QString> order;
    QList<QString> textEvents;
    for (auto it = tree.commands.begin(); it != tree.commands.end(); ++it)
        ((*it)->kind & ~ScpiKindNode) == ScpiKindEventText ? textEvents.append(it.key())
                                                           : order.append(it.key());
    std::stable_sort(textEvents.begin(), textEvents.end(),
                     [&](const QString& a, const QString& b) { return textRank(a) < textRank(b); });
    order += textEvents;

    QStringList failures;
    QMap<QString, int> excepted;
    QMap<int, int> kinds;
    for (const QString& path : order) {
        const SScpiCmd* c = tree.commands.value(path);
        const int kind = c->kind & ~ScpiKindNode;
        ++kinds[kind];
        const QString plain = path.startsWith("SOURce:") ? path.mid(7) : path;
        const Exception* exception = nullptr;
        for (const Exception& x : kExceptions)
            if (plain == QLatin1String(x.path))
                exception = &x;
        QString before;
        if (kind == ScpiKindQuery || kind == ScpiKindSetting) {
            before = run(path + "?");
            const QStringList err = errors();
            if (before.isEmpty() || !err.isEmpty())
                failures << path + "? -> [" + before + "] " + err.join(" | ");
            if (kind == ScpiKindQuery)
                continue;
        }
        QString line = path;
        const char* argument = nullptr;
        for (const auto& [end, arg] : kArguments)
            if (path.endsWith(QLatin1String(end)))
                argument = arg;
        if (kind == ScpiKindEventText)
            line += path.startsWith("SOURce:") ? " \"walk2\"" : " \"walk1\"";
        else if (kind == ScpiKindSetting)
            line += " " + (argument ? QString::fromLatin1(argument) : before);
        const QString a = run(line);
        const QStringList err = errors();
        if (exception) {
            if (err.size() != 1 || !err.first().startsWith(QString::number(exception->code) + ","))
                failures << line + " -> " + err.join(" | ") + ", expected " +
                                QString::number(exception->code) + " (" + exception->why + ")";
            ++excepted[exception->path];
            continue;
        }
        if (!a.isEmpty() || !err.isEmpty())
            failures << line + " -> [" + a + "] " + err.join(" | ");
        if (kind == ScpiKindSetting && !argument) {
            const QString after = run(path + "?");
            if (!sameAnswer(after, before) || !errors().isEmpty())
                failures << path + "? after writing it back -> " + after + ", before " + before;
        }
    }
    EXPECT_TRUE(failures.isEmpty()) << failures.join("\n").toStdString();
    // Every exception listed is met with and without SOURce (where there is one), so the list stays
    // honest; every kind of command was walked.
    for (const Exception& x : kExceptions)
        EXPECT_EQ(excepted.value(x.path), 2) << x.path;
    for (int kind : {ScpiKindQuery, ScpiKindSetting, ScpiKindEvent, ScpiKindEventText})
        EXPECT_GT(kinds.value(kind), 0) << kind;
}

// A number is taken at the parameter's resolution before its checks: an integer-step value is stored
// whole, and a value that rounds into the limits is accepted.
TEST_F(KobraScpiHostTest, NumbersAreTakenAtTheParametersResolutionBeforeTheChecks) {
    auto stored = [](const char* name) {
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
        {"KOBR:USER:CLOCk:RATE 12345678.9004", "KOBR:USER:CLOCk:RATE?", "IdPDbLynxClocRate", 12345678.9,
         "12345678.9"},
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

} // namespace
