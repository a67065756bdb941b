#pragma once
// Runs program messages for a session: resolves each header through the host's and the modules'
// tables (path rules, long/short forms, numeric suffixes and the instance they address), converts the
// arguments, writes and reads the database as a GUI control would, and formats the answers.
//
// Path rules: a message starts at the root; after a command the next header of the same message
// continues at the level of that command; a leading ":" returns to the root; common commands ("*XXX")
// leave the level as it is. Where several tables hold the same node (the host's and a module's), the
// level holds all of them.
//
// A message runs whole (execLine) or unit by unit (start, then step until done): between steps the
// caller may serve other clients and events; the level reached so far carries over, so the path
// rules hold across steps. The answers of a message are kept until it is done.
//
// Errors: a command error (-1xx) ends the message (the rest is not run); other errors end only their
// command. Database refusals map to SCPI errors: 20001 -> ScpiErrDataOutOfRange, 20000 ->
// ScpiErrDataType, an unknown parameter -> ScpiErrExecution, an instance that does not exist ->
// ScpiErrHeaderSuffix (with a numeric suffix) or ScpiErrExecution; every other
// number, and each error the error manager signals during the command, is queued as a positive
// device-specific error with its text.
#include <QByteArray>
#include <QPair>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "host/db/CDbAllType.h"
#include "host/scpi/impl/CScpiLexer.h"
#include "host/scpi/impl/ScpiParseTable.h"
#include "host/util/VGXExport.h"

namespace MvQARN {

class CDbAnswerBuffer;
class CScpiModule;
class CScpiSession;
struct SDbDefCommon;

class VGX_EXPORT CScpiParser {
public:
    // Where a path has got to: the table of the level and the tuple effects of the nodes so far.
    struct SAddress {
        int path = 0;       // t0 from an interface selector
        int selSide = 0;    // side an interface selector gives
        int fixedSide = -1; // side a fixed node gives; wins over selSide
        int t3 = 0;
        bool bothSides = false; // a record of the path carries ScpiFlagBBothSides
        bool suffixUsed = false;
    };
    struct SBranch {
        const SScpiParseTable* table = nullptr;
        CScpiModule* module = nullptr; // null for host tables
        SAddress addr;
    };

    explicit CScpiParser(CScpiSession& session) : m_session(session) {}

    // Runs a whole message. True when it holds queries: then answer holds their answers joined by ";".
    bool execLine(const QByteArray& line, QString& answer);

    // Starts a message; nothing runs yet.
    void start(const QByteArray& line);
    // Runs up to maxUnits command units of the started message (at least one when any is left);
    // answers how many ran.
    int step(int maxUnits);
    bool done() const { return !m_lexer; }
    // Hands over the answers so far, joined by ";"; false when there are none.
    bool takeAnswer(QString& out);
    // The same in UTF-8, replacing what out held (its capacity is kept for the next answer).
    bool takeAnswer(QByteArray& out);
    // Bytes held for the message: the rest of the line and the answers so far.
    qint64 heldBytes() const;

    // Tuple of a command reached with addr.
    static SDbInstTupel tupelOf(const SAddress& addr);
    // Applies a node's suffix word and numeric suffix (-1 none, -2 too large); false:
    // ScpiErrHeaderSuffix.
    static bool applySuffix(SAddress& addr, int suffixWord, int suffix);
    // Queues the errors of one database call for the session (mapped as above) and answers the SCPI
    // error of its result, 0 when it succeeded. Positive errors queued are added to reported.
    static int queueDbErrors(CScpiSession& session, int rc, const CDbAnswerBuffer& answer, bool suffixUsed,
                             QList<QPair<int, QString>>* reported = nullptr);

private:
    // The root level of the registry as it is now (kept until the registry changes).
    const std::vector<SBranch>& rootLevel();
    int execUnit(const SScpiCommandUnit& unit, QStringList& answers);
    int execCommon(const SScpiCommandUnit& unit, QStringList& answers);
    int execHost(const SScpiEntry& entry, const SScpiCommandUnit& unit, QStringList& answers);
    int execModuleQuery(const SScpiEntry& entry, const SBranch& at, const SScpiCommandUnit& unit,
                        QStringList& answers);
    int execModuleSet(const SScpiEntry& entry, const SBranch& at, const SScpiCommandUnit& unit);
    // The argument as a value of the parameter's record type; 0 or an SCPI error (already queued).
    // def is the record the value was decoded for, so the caller need not look it up again.
    int decodeArg(const SScpiEntry& entry, const SDbInstTupel& t, const SScpiToken& token, CDbAllType& out,
                  const SDbDefCommon*& def);
    // MINimum, MAXimum, DEFault, UP and DOWN of a numeric parameter; 0 or an SCPI error (queued).
    int specialValue(const char* param, const SDbInstTupel& t, int which, double& out, bool suffixUsed);
    int fail(int code, const QString& text = QString());
    // Queues the errors of one database call; answers the SCPI error of its result (0 when none).
    int reportDb(int rc, const CDbAnswerBuffer& answer, bool suffixUsed);

    CScpiSession& m_session;
    std::optional<CScpiLexer> m_lexer; // the message being run; empty when done
    qsizetype m_lineBytes = 0;
    QStringList m_answers;
    qint64 m_answerBytes = 0;
    std::vector<SBranch> m_level;
    quint64 m_generation = 0; // of the registry when m_level was taken
    std::vector<SBranch> m_root;
    quint64 m_rootGeneration = 0;
    bool m_rootValid = false;
    // Scratch of execUnit, kept so a command unit allocates no lists of its own.
    SScpiCommandUnit m_unit;
    std::vector<SBranch> m_branches, m_next;
    struct SCandidate {
        const SScpiEntry* entry;
        SBranch at;
    };
    std::vector<SCandidate> m_candidates;
    // Walks from the root remembered per session: scripts send the same few headers again and
    // again. They hold while the root level and the host tables stay as they were.
    struct SWalk {
        QByteArray key; // the upper-case elements joined by ':'
        std::vector<SCandidate> candidates;
        std::vector<SBranch> level;
    };
    std::array<SWalk, 16> m_walks;
    int m_walkCount = 0;
    int m_walkNext = 0;
    quint64 m_walkEdits = 0; // host table edits when the walks were taken
    bool m_levelIsRoot = false;
    void forgetWalks() { m_walkCount = m_walkNext = 0; }
    const SWalk* findWalk(const SScpiCommandUnit& unit);
    void keepWalk(const SScpiCommandUnit& unit, const std::vector<SCandidate>& candidates,
                  const std::vector<SBranch>& level);
    // Runs the first candidate that takes the unit's form and makes level the current one.
    int execPicked(const SScpiCommandUnit& unit, const std::vector<SCandidate>& candidates,
                   const std::vector<SBranch>& level, bool suffixError, QStringList& answers);
    QList<QPair<int, QString>> m_reported; // positive errors queued during the current command
};

} // namespace MvQARN
