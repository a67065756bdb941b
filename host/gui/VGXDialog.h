#pragma once
// Frame of every host dialog: a top-level widget with a name, a long and a short title, the
// attributes it was opened with, and size and position hints counted in button units.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "host/util/VGXModuleInterface.h"

namespace MvQARN {

class VGXDialogAttributes;

class VGX_EXPORT VGXDialog : public QWidget {
    Q_OBJECT
public:
    // Width and height of one button unit in pixels; size and position hints are multiples of it.
    static constexpr int ButtonWidth = 100;
    static constexpr int ButtonHeight = 30;

    explicit VGXDialog(const QString& name = QString(), QWidget* parent = nullptr);
    ~VGXDialog() override;

    const QString& name() const { return m_name; }
    void setName(const QString& name);

    void setTitles(const QString& title, const QString& shortTitle);
    const QString& title() const { return m_title; }
    const QString& shortTitle() const { return m_shortTitle; }

    // The dialog keeps its own copy.
    void setAttributes(const VGXDialogAttributes& attributes);
    const VGXDialogAttributes* attributes() const { return m_attributes.get(); }

    void setSizeInButtons(int columns, int rows);
    void setPositionInButtons(int column, int row);
    QSize sizeInButtons() const { return m_sizeInButtons; }
    QPoint positionInButtons() const { return m_positionInButtons; }

    // The panel filling the frame; the dialog owns it and deletes a previous one.
    void setContentPanel(QWidget* panel);
    QWidget* contentPanel() const { return m_content; }

private:
    QString m_name;
    QString m_title;
    QString m_shortTitle;
    std::unique_ptr<VGXDialogAttributes> m_attributes;
    QSize m_sizeInButtons;
    QPoint m_positionInButtons;
    QPointer<QWidget> m_content;
};

} // namespace MvQARN
