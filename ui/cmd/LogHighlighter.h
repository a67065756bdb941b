#pragma once
// Colours test logs and terminal text: "OK" green, "FAILED" red and a name directly followed by "("
// (a test or command name) blue, each in a bold 10 pt "Times" so the verdicts stand out in a long log.
#include <QList>
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include "host/util/VGXExport.h"

class QTextDocument;

namespace MvQARN {

class VGX_EXPORT LogHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit LogHighlighter(QTextDocument* parent);
    ~LogHighlighter() override;

protected:
    void highlightBlock(const QString& text) override;

private:
    struct Rule {
        QRegularExpression pattern;
        QTextCharFormat format;
    };
    // Applied in order to each block; a later rule wins where matches overlap.
    QList<Rule> m_rules;
};

} // namespace MvQARN
