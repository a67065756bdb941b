#include "ui/cmd/LogHighlighter.h"

#include <QFont>

namespace MvQARN {

namespace {

QTextCharFormat ruleFormat(const QColor& colour) {
    QTextCharFormat format;
    QFont font(QStringLiteral("Times"), 10);
    font.setBold(true);
    format.setFont(font);
    format.setForeground(colour);
    return format;
}

} // namespace

LogHighlighter::LogHighlighter(QTextDocument* parent) : QSyntaxHighlighter(parent) {
    m_rules.append({QRegularExpression(QStringLiteral("OK")), ruleFormat(Qt::green)});
    m_rules.append({QRegularExpression(QStringLiteral("FAILED")), ruleFormat(Qt::red)});
    m_rules.append({QRegularExpression(QStringLiteral("\\b[A-Za-z0-9_]+(?=\\()")), ruleFormat(Qt::blue)});
}

LogHighlighter::~LogHighlighter() = default;

void LogHighlighter::highlightBlock(const QString& text) {
    for (const Rule& rule : std::as_const(m_rules)) {
        QRegularExpressionMatchIterator it = rule.pattern.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            setFormat(int(m.capturedStart()), int(m.capturedLength()), rule.format);
        }
    }
}

} // namespace MvQARN
