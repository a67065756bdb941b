#include "host/gui/VGXDialog.h"

#include <QVBoxLayout>

#include "host/gui/VGXDialogAttributes.h"

namespace MvQARN {

VGXDialog::VGXDialog(const QString& name, QWidget* parent) : QWidget(parent, Qt::Window), m_name(name) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

VGXDialog::~VGXDialog() = default;

void VGXDialog::setName(const QString& name) {
    m_name = name;
    setObjectName(name);
}

void VGXDialog::setTitles(const QString& title, const QString& shortTitle) {
    m_title = title;
    m_shortTitle = shortTitle;
    setWindowTitle(title);
}

void VGXDialog::setAttributes(const VGXDialogAttributes& attributes) {
    m_attributes.reset(attributes.clone());
}

void VGXDialog::setSizeInButtons(int columns, int rows) {
    m_sizeInButtons = QSize(columns, rows);
    resize(columns * ButtonWidth, rows * ButtonHeight);
}

void VGXDialog::setPositionInButtons(int column, int row) {
    m_positionInButtons = QPoint(column, row);
    move(column * ButtonWidth, row * ButtonHeight);
}

void VGXDialog::setContentPanel(QWidget* panel) {
    if (m_content == panel)
        return;
    delete m_content.data();
    m_content = panel;
    if (panel)
        layout()->addWidget(panel); // reparents the panel to the dialog
}

} // namespace MvQARN
