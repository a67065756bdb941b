#pragma once
// The fixture of the plug-in's GUI tests: the catalogue's database with a fresh GUI registry and no
// answer hooks left behind, and what a user does with a combo, a labelled row or a dialog name.
#include <QComboBox>
#include <gtest/gtest.h>
#include <memory>

#include "frame/CKobraPlugInDfModule.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXMessageBox.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/gui/VGXUserFileDialog.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "params/functions/FunctionTestSupport.h"

namespace uitest {

using namespace MvQARN;

// Message boxes answered by the test: each box's title and text are kept, the answers given in turn.
struct ScriptedBoxes {
    QStringList titles;
    QStringList texts;
    QList<int> answers;
    ScriptedBoxes() {
        VGXMessageBox::setAnswerHook([this](const VGXMessageBox& box) {
            titles << box.title();
            texts << box.text();
            return answers.isEmpty() ? int(VGXMessageBox::ButtonCancel) : answers.takeFirst();
        });
    }
    ~ScriptedBoxes() { VGXMessageBox::setAnswerHook(nullptr); }
};

class GuiTest : public fntest::FunctionTest {
protected:
    void SetUp() override {
        VGXGuiRegistry::reset();
        fntest::FunctionTest::SetUp();
    }
    void TearDown() override {
        VGXUserFileDialog::setAnswerHook(nullptr);
        VGXMessageBox::setAnswerHook(nullptr);
        VGXGuiRegistry::reset();
        // Dialogs leave the indices they bind to current; the next test starts from the first.
        VGXUserDbAttributes::setCurrentInstance(0);
        VGXUserDbAttributes::setCurrentChannel(0);
        VGXUserDbAttributes::setCurrentDirection(0);
        VGXUserDbAttributes::setCurrentStation(0);
        fntest::FunctionTest::TearDown();
    }
    // Picks the entry with this text as a user does, so the combo's activation writes it.
    static void choose(VGXComboParameter* combo, const QString& text) {
        QComboBox* box = combo->comboBox();
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        box->activated(index);
    }
    template <class T> static T* row(QWidget* panel, const QString& label) {
        for (T* c : panel->findChildren<T*>())
            if (c->labelText().trimmed() == label)
                return c;
        ADD_FAILURE() << "no row " << label.toStdString();
        return nullptr;
    }
    // The dialog the plug-in's factory makes for this name, shown, as the host's menus open it.
    template <class D>
    static std::unique_ptr<D> open(const char* name, int instance, int direction = 0,
                                   const QString& qualifier = QString()) {
        const VGXUserDialogAttributes attributes(QString::fromLatin1(name), qualifier, instance, 0,
                                                 direction);
        std::unique_ptr<D> dlg(dynamic_cast<D*>(CKobraPlugInDfModule().createDialog(&attributes)));
        EXPECT_NE(dlg, nullptr) << name;
        if (dlg)
            dlg->show();
        return dlg;
    }
};

} // namespace uitest
