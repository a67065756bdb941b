#include "host/gui/VGXMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "host/gui/VGXStyleManager.h"

namespace MvQARN {

namespace {

VGXMessageBox::AnswerHook& hook() {
    static VGXMessageBox::AnswerHook h;
    return h;
}

QMessageBox::Icon iconOf(int kind) {
    switch (kind) {
    case VGXMessageBox::Information:
        return QMessageBox::Information;
    case VGXMessageBox::Critical:
        return QMessageBox::Critical;
    case VGXMessageBox::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::Warning;
    }
}

} // namespace

VGXMessageBox::VGXMessageBox(const QString& title, const QString& text, int kind, QWidget* parent)
    : m_title(title), m_text(text), m_kind(kind), m_parent(parent) {}

VGXMessageBox::~VGXMessageBox() = default;

QString VGXMessageBox::buttonText(int code) {
    switch (code) {
    case ButtonOk:
        return QStringLiteral("OK");
    case ButtonCancel:
        return QStringLiteral("Cancel");
    default:
        return QString();
    }
}

void VGXMessageBox::addDialogButton(int code) {
    const QString text = buttonText(code);
    addDialogButton(text.isEmpty() ? QString::number(code) : text, code);
}

void VGXMessageBox::addDialogButton(const QString& text, int code) {
    m_buttons.append(qMakePair(text, code));
}

int VGXMessageBox::closeCode() const {
    for (const auto& b : m_buttons)
        if (b.second == ButtonCancel)
            return ButtonCancel;
    return m_buttons.isEmpty() ? ButtonOk : m_buttons.last().second;
}

void VGXMessageBox::setAnswerHook(AnswerHook h) {
    hook() = std::move(h);
}

bool VGXMessageBox::hasAnswerHook() {
    return bool(hook());
}

int VGXMessageBox::exec() {
    if (m_buttons.isEmpty())
        addDialogButton(ButtonOk);
    if (hook())
        return hook()(*this);
    VGXStyleManager::applyHostStyle();
    QMessageBox box(iconOf(m_kind), m_title, m_text, QMessageBox::NoButton, m_parent);
    QList<QPair<QAbstractButton*, int>> made;
    for (const auto& b : std::as_const(m_buttons)) {
        const QMessageBox::ButtonRole role =
            b.second == ButtonCancel ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        made.append(qMakePair(static_cast<QAbstractButton*>(box.addButton(b.first, role)), b.second));
    }
    for (const auto& m : std::as_const(made))
        if (m.second == ButtonCancel)
            box.setEscapeButton(m.first);
    box.exec();
    for (const auto& m : std::as_const(made))
        if (box.clickedButton() == m.first)
            return m.second;
    return closeCode();
}

} // namespace MvQARN
