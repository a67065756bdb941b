#pragma once
// Frame of every host dialog: a non-modal top-level viewer with a name, a long and a short title,
// the attributes it was opened with, size and position hints counted in button units, a content
// panel and a status line (errors of refused input, the online key of the control in use).
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "host/gui/CViewer.h"
#include "host/util/VGXModuleInterface.h"

class QLabel;

namespace MvQARN {

class VGXDialogAttributes;

class VGX_EXPORT VGXDialog : public MvGuiFramework::CViewer {
    Q_OBJECT
public:
    // Width and height of one button unit in pixels; size and position hints are multiples of it.
    static constexpr int ButtonWidth = 100;
    static constexpr int ButtonHeight = 30;

    // Bits of the dialog's attribute word (setAttributes(int)).
    enum EAttribute {
        FitHeight = 0x1, // the height follows the content
        FitWidth = 0x2,  // the width grows to what the content asks for
    };

    explicit VGXDialog(const QString& name = QString(), QWidget* parent = nullptr);
    // Position hints in button units; -1 lets the host place the dialog. mode is the host's dialog
    // mode word, kept for the module.
    VGXDialog(const QString& name, int columnHint, int rowHint, int mode);
    VGXDialog(const QString& name, const QString& title, int columnHint, int rowHint);
    VGXDialog(int mode, const QString& name, const QString& title, int attributes);
    ~VGXDialog() override;

    const QString& name() const { return m_name; }
    void setName(const QString& name);
    int mode() const { return m_mode; }

    void setTitles(const QString& title, const QString& shortTitle);
    const QString& title() const { return m_title; }
    const QString& shortTitle() const { return m_shortTitle; }

    // The dialog keeps its own copy.
    void setAttributes(const VGXDialogAttributes& attributes);
    const VGXDialogAttributes* attributes() const { return m_attributes.get(); }
    // The attribute word (EAttribute bits).
    void setAttributes(int attributeWord);
    int attributeWord() const { return m_attributeWord; }

    void setSizeInButtons(int columns, int rows);
    // Width only; the height follows the content.
    void setSizeInButtons(int columns);
    void setPositionInButtons(int column, int row);
    QSize sizeInButtons() const { return m_sizeInButtons; }
    QPoint positionInButtons() const { return m_positionInButtons; }

    // The panel filling the frame; the dialog owns it and deletes a previous one.
    void setContentPanel(QWidget* panel);
    QWidget* contentPanel() const { return m_content; }

    // A message on the status line until the next one; empty clears it. Status tips of the
    // widgets under the mouse show while they last.
    void showStatusMessage(const QString& text);
    QString statusMessage() const { return m_message; }
    QLabel* statusLine() const { return m_statusLine; }

    // Shows the dialog, raises it and gives it the focus.
    void toFront();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void fitToContent();
    void placeFirstTime();

    QString m_name;
    QString m_title;
    QString m_shortTitle;
    std::unique_ptr<VGXDialogAttributes> m_attributes;
    int m_mode = 0;
    int m_attributeWord = 0;
    QSize m_sizeInButtons;
    QPoint m_positionInButtons{-1, -1};
    bool m_placed = false;
    QPointer<QWidget> m_content;
    QLabel* m_statusLine = nullptr;
    QString m_message;
    QString m_tip;
};

} // namespace MvQARN

namespace MvGuiFramework {
// The framework's dialog base under the name the framework's own classes use.
using CDialog = MvQARN::VGXDialog;
} // namespace MvGuiFramework
