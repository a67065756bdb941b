// Generated input: seeded random byte strings and mutations of valid command lines. Whatever comes,
// the parser answers or queues errors consistently and keeps working.
#include <cctype>
#include <random>

#include "ScpiFixture.h"

using namespace MvQARN;

namespace {

const char* const kCorpus[] = {
    "BBIN:EXT:CLOC:RATE 10 MHz;SKEW 5 ns;PHAS 90",
    "SOUR2:KOBR:USER:DIR TRAN;DIR?",
    "SOUR4:IQ:OUTP:EXT:LOG CMOS12;LOG?;:SYST:ERR?",
    "BBIN:EXT:SSI:FSEL \"a \"\"b\"\" c\";FSEL?",
    "BBIN:EXT:SSI:CMD #H1F;CMD?;CMD #B0101;CMD #Q17;CMD '0110'",
    "BBIN:EXT:SSI:CMD #14abcd",
    "KOBR:INST3:NAME?;:DIAG:KOBR:LVDS:RX:STAT ON;STAT?",
    "KOBR:USER:CLOC:RATE MAX;RATE? MIN;RATE UP;RATE DOWN;RATE DEF",
    "*CLS;*ESE 60;*SRE 48;*ESR?;*STB?;*IDN?;*OPC?",
    "SYST:ERR:ALL?;:SYST:ERR:COUN?;:SYST:VERS?",
    "KOBR:USER:SETT:STOR 'fuzz.lynx';:KOBR:CAT?",
    "KOBR:USER:SSI:SPI:FREQ 8.333MHZ;FREQ?",
    "BBIN:EXT:DATA:SIZE #H0C;INEG ON;SIZE?;INEG?",
    "KOBR:SEL 2;SEL?;:KOBR:STAT?",
    "KOBR:USER:CONF ON;:KOBR:USER:ALAR OFF",
    "BBIN:EXT:SRAT?",
    "KOBR:USER:TRIG:DEL 7;DEL?",
};

QByteArray randomLine(std::mt19937& rng) {
    std::uniform_int_distribution<int> len(0, 90), byte(0, 255);
    QByteArray l;
    const int n = len(rng);
    for (int i = 0; i < n; ++i) {
        char c = char(byte(rng));
        l.append(c == '\n' ? ';' : c);
    }
    return l;
}

QByteArray mutate(std::mt19937& rng, QByteArray l) {
    static const char kSpecial[] = ";:?,\"'#() *\r\t0123456789MHZmhzABCDEFabcdef\x01\x7f\xff";
    std::uniform_int_distribution<int> ops(1, 4), op(0, 5), byte(0, 255),
        special(0, int(sizeof(kSpecial)) - 2);
    const int count = ops(rng);
    for (int k = 0; k < count && !l.isEmpty(); ++k) {
        std::uniform_int_distribution<int> pos(0, int(l.size()) - 1);
        const int p = pos(rng);
        const char c = l[p];
        switch (op(rng)) {
        case 0:
            l[p] = char(byte(rng));
            break;
        case 1:
            l.insert(p, kSpecial[special(rng)]);
            break;
        case 2:
            l.remove(p, 1);
            break;
        case 3:
            l.truncate(p);
            break;
        case 4:
            l.insert(p, l.mid(p, 1 + p % 7));
            break;
        default: // flip the case of a letter
            l[p] = std::isupper(uchar(c)) ? char(std::tolower(uchar(c))) : char(std::toupper(uchar(c)));
        }
    }
    l.replace('\n', ';');
    return l;
}

// A query can only vanish silently inside string or block data (or a parenthesised expression).
bool plainQueryLine(const QByteArray& l) {
    return l.contains('?') && !l.contains('"') && !l.contains('\'') && !l.contains('#') && !l.contains('(');
}

} // namespace

TEST_F(ScpiFixture, FuzzedLinesAreAnsweredOrRefusedConsistently) {
    std::mt19937 rng(20240521);
    int answered = 0, refused = 0;
    for (int i = 0; i < 6000; ++i) {
        const QByteArray line =
            i % 2 ? randomLine(rng) : mutate(rng, QByteArray(kCorpus[(i / 2) % std::size(kCorpus)]));
        const quint64 errorsBefore = session.errorsRaised();
        QString answer;
        const bool hasAnswer = session.execLine(line, answer);
        const bool raised = session.errorsRaised() > errorsBefore;
        answered += hasAnswer ? 1 : 0;
        refused += raised ? 1 : 0;
        ASSERT_FALSE(answer.contains(QLatin1Char('\n'))) << line.toHex().toStdString();
        if (!hasAnswer) {
            ASSERT_TRUE(answer.isEmpty()) << line.toHex().toStdString();
        }
        if (plainQueryLine(line)) {
            ASSERT_TRUE(hasAnswer || raised) << "query lost: " << line.toHex().toStdString();
        }
        const CScpiErrorQueue& q = session.errorQueue();
        ASSERT_LE(q.count(), q.capacity());
        ASSERT_EQ((session.statusByte() & 0x04) != 0, !q.isEmpty());
        if (raised && !q.isEmpty() && !line.toUpper().contains("ESR")) {
            ASSERT_NE(session.esr(), 0) << line.toHex().toStdString();
        }
    }
    // Both kinds of outcome were exercised, and the session still works.
    EXPECT_GT(answered, 300);
    EXPECT_GT(refused, 2500);
    run("*CLS");
    EXPECT_TRUE(run("*IDN?").startsWith("Maravel,VGX Host,"));
    ok("BBIN:EXT:CLOC:RATE 30MHZ;:BBIN:EXT:DIR REC");
    EXPECT_EQ(run("BBIN:EXT:CLOC:RATE?;:BBIN:EXT:DIR?"), "30000000;REC");
}
