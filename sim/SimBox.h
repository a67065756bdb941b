#pragma once
// One simulated KOBRA box: identity, breakout board, versions, the instruments joined to it, and the
// state its service functions work on. Plain data with the box's behaviour; SimBoxes guards access.
#include <QByteArray>
#include <QString>
#include <array>
#include <optional>
#include <string>

namespace MvQARN {
struct SKobraLvdsResult;
struct SKobraReadoutTable;
} // namespace MvQARN

namespace vgxsim {

struct SimInstrument {
    QString name;
    QString serialNumber;
    QString port;
};

struct SimBreakoutBoard {
    QString type = QStringLiteral("Single Ended/Differential/Customer");
    int partNumber = 0;  // 0: a board without part number and without EEPROM
    QString revision;    // "major.minor"; empty without part number
    unsigned serial = 0; // serial number printed on the board
    QString fpgaVersion;
};

struct SimVersions {
    QString firmware = QStringLiteral("03.20.104");
    QString fpga = QStringLiteral("02.11.007");
    QString boardPartNumber = QStringLiteral("7730.1011.02");
    QString boardSerialNumber; // empty: derived from the box serial
    QString boardRevision = QStringLiteral("04.01");
    QString cpld = QStringLiteral("01.03");
    QString ppc = QStringLiteral("01.08.2");
    QString digIoFpga = QStringLiteral("01.02.005");
    QString controller = QStringLiteral("PPC405EP");
};

struct SimLvdsLink {
    bool running = false;
    int source = 0; // 0 PRBS, 1 counter
    double received = 0;
    double errors = 0;
};

class SimBox {
public:
    static constexpr int CpriBoardPartNumber = 77308421;
    static constexpr int DigRfBoardPartNumber = 77308413;
    static constexpr int LvdsLinks = 4;
    static constexpr int DiagPoints = 19;
    static constexpr int DigRfDiagPoints = 32;
    // Words one LVDS link passes between two reads of the results.
    static constexpr double LvdsWordsPerRead = 16777216.0;
    // I/Q words the receiver counts between two read-outs while the trigger runs.
    static constexpr double IqWordsPerRead = 1048576.0;

    // A basic box (no breakout board with part number, no instruments) with this serial number.
    explicit SimBox(int serial = 0);

    // The two boxes a host without a simulation file starts with.
    static SimBox defaultFullBox();  // 100123, CPRI breakout board, instrument on link 0
    static SimBox defaultBasicBox(); // 100456

    // 0 for the basic hardware ("7730.1192.02"), 1 for every other part number.
    int variant() const;
    bool hasCpriBoard() const { return board.partNumber == CpriBoardPartNumber; }
    bool hasDigRfBoard() const { return board.partNumber == DigRfBoardPartNumber; }
    // Boards with a part number carry an EEPROM with their serial number.
    bool hasBoardEeprom() const { return board.partNumber > 0; }

    // Command answers.
    void fillHwConfig(char* record) const;
    // Information block text of the instrument on link 0 or 1 (a block without device keys when
    // none is joined).
    QByteArray instrumentBlock(int link) const;
    void readOut(MvQARN::SKobraReadoutTable& out);
    bool eeprom(int mode, unsigned value, std::string& text);
    bool diagPoint(int point, std::string& text);
    bool digRfDiagPoint(int point, std::string& text);
    bool loadDigRfFpga(int state);
    bool lvdsTest(int link, bool start, int source);
    void lvdsResult(MvQARN::SKobraLvdsResult& out);
    // test 0 CPRI, 1 and 2 the DigRF tests; false for another number.
    bool serviceTest(int test, bool detailed, std::string& log, bool& passed) const;

    // Identity.
    int serial = 0;
    QString partNumber = QStringLiteral("7730.1192.02");
    SimBreakoutBoard board;
    SimVersions versions;
    std::array<std::optional<SimInstrument>, 2> instruments;

    // State. EEPROM contents live as long as the box object, so they survive a reconnect.
    unsigned eepromSerial = 0;    // 0: the box serial
    unsigned bobEepromSerial = 0; // 0: the board's printed serial
    bool ledTest = false;
    std::array<SimLvdsLink, LvdsLinks> lvds;
    double lvdsErrorRate = 0.0; // fraction of LVDS words received in error
    bool triggerRunning = false;
    double iqWords = 0.0;
    double extRefFrequency = 10e6;

private:
    double noise(); // -1 .. 1, deterministic per box
    unsigned eepromValue() const { return eepromSerial ? eepromSerial : unsigned(serial); }
    unsigned bobEepromValue() const { return bobEepromSerial ? bobEepromSerial : board.serial; }

    quint32 m_noiseState = 0;
};

} // namespace vgxsim
