#pragma once
// A modal question or notice: title, text, an icon by kind and buttons added with their codes.
// exec answers the code of the pressed button (ButtonOk 8204 "OK", ButtonCancel 8205 "Cancel");
// closing the box without a button answers the Cancel code when the box has a Cancel button, else
// the code of its last button.
//
// For tests and scripted runs an answer hook replaces the user: while set, exec asks the hook
// instead of showing the box (the hook sees title, text and buttons) and answers what it returns.
#include <QList>
#include <QPair>
#include <QString>
#include <functional>

#include "host/util/VGXModuleInterface.h"

class QWidget;

namespace MvQARN {

class VGX_EXPORT VGXMessageBox {
public:
    enum EButton {
        ButtonOk = 8204,
        ButtonCancel = 8205,
    };
    enum EKind {
        Information = 0,
        Warning = 1,
        Critical = 2,
        Question = 3,
    };

    VGXMessageBox(const QString& title, const QString& text, int kind = Warning, QWidget* parent = nullptr);
    VGXMessageBox(const VGXMessageBox&) = delete;
    VGXMessageBox& operator=(const VGXMessageBox&) = delete;
    ~VGXMessageBox();

    // A standard button by its code (ButtonOk, ButtonCancel).
    void addDialogButton(int code);
    // A button with a text of its own.
    void addDialogButton(const QString& text, int code);

    // Shows the box modally (or asks the answer hook); answers the pressed button's code. A box
    // without buttons gets an OK button.
    int exec();

    const QString& title() const { return m_title; }
    const QString& text() const { return m_text; }
    int kind() const { return m_kind; }
    // Texts and codes of the buttons in order.
    const QList<QPair<QString, int>>& buttons() const { return m_buttons; }

    using AnswerHook = std::function<int(const VGXMessageBox&)>;
    // Null removes the hook.
    static void setAnswerHook(AnswerHook hook);
    static bool hasAnswerHook();

    // The standard text of a button code; empty for other codes.
    static QString buttonText(int code);

private:
    int closeCode() const;

    QString m_title;
    QString m_text;
    int m_kind;
    QWidget* m_parent;
    QList<QPair<QString, int>> m_buttons;
};

} // namespace MvQARN
