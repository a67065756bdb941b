#pragma once
// A multi-line text area as a viewer (terminal output, test logs). Read-only follows the viewer
// tree; the document is there for highlighters.
#include "host/gui/CViewer.h"

class QTextDocument;
class QTextEdit;

namespace MvQARN {

class VGX_EXPORT VGXTextEdit : public MvGuiFramework::CViewer {
    Q_OBJECT
public:
    explicit VGXTextEdit(QWidget* parent = nullptr);
    ~VGXTextEdit() override;

    QTextEdit* textEdit() const { return m_edit; }
    QTextDocument* document() const;

    void setPlainText(const QString& text);
    QString toPlainText() const;
    // Adds the text at the end, as it is (no line break added), and scrolls to the end.
    void appendText(const QString& text);
    void clear();
    void scrollToEnd();

protected:
    void readOnlyChanged(bool readOnly) override;

private:
    QTextEdit* m_edit;
};

} // namespace MvQARN
