// The command panel as the host's SCPI terminal (offscreen): what the user types and clicks against
// the terminal, the files written and the errors reported; the command parameters' numbers.
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "app/ScpiTerminal.h"
#include "host/gui/VGXCommandPanelClasses.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXMessageBox.h"
#include "host/gui/VGXTextEdit.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/util/VGXErrorManager.h"
#include "support/CatalogueDb.h"
#include "ui/GuiTest.h"
#include "ui/cmd/AbstractCommandParameter.h"
#include "ui/cmd/InteractiveCommandPanelImplementation.h"

using namespace MvQARN;

namespace {

TEST(CommandParameter, NumbersAreDecimalThenHexThenFloatAndOutOfRangeTextTakesTheLimit) {
    uitest::ScriptedBoxes boxes;
    AbstractCommandParameter p(QStringLiteral("level"), QMetaType::Int);
    // Text out of the type's range is changed to the limit; hexadecimal 1e6 (486) is in range.
    const struct {
        const char *in, *out;
    } cases[] = {{"40000", "32767"}, {"-40000.5", "-32767"}, {"1A", "1A"}, {"1e6", "1e6"}, {"12", "12"}};
    for (const auto& c : cases) {
        QString text = QString::fromLatin1(c.in);
        EXPECT_EQ(p.checkParameterValue(text), qstrcmp(c.in, c.out) != 0) << c.in;
        EXPECT_EQ(text, QString::fromLatin1(c.out)) << c.in;
    }
    p.setMaximum(QStringLiteral("1A"));
    p.setMinimum(QStringLiteral("-2.5e1"));
    EXPECT_EQ(p.maximum(), 26.0);
    EXPECT_EQ(p.minimum(), -25.0);
    EXPECT_TRUE(boxes.texts.isEmpty());
    p.setMaximum(QStringLiteral("ten"));
    EXPECT_EQ(p.maximum(), 0.0);
    EXPECT_EQ(boxes.titles.join('|') + '|' + boxes.texts.join('|'),
              QStringLiteral("Error|DizeriCommandParameter: Cannot convert 'ten' to number!"));
}

TEST(CommandParameter, ListItemValueIsTheIdentifierOnlyWhenEveryItemHasOne) {
    AbstractCommandParameter texts(QStringLiteral("mode"), QMetaType::QStringList);
    for (const char* t : {"Off", "On", "Auto"})
        texts.addValue(QString::fromLatin1(t));
    EXPECT_EQ(texts.listItemValue(2), QStringLiteral("Auto"));
    EXPECT_EQ(texts.value().toStringList(), QStringList{QStringLiteral("Off")});
    AbstractCommandParameter ids(QStringLiteral("rate"), QMetaType::QStringList);
    ids.addValue(10, QStringLiteral("slow"));
    ids.addValue(20, QStringLiteral("fast"));
    EXPECT_EQ(ids.listItemValue(1), QStringLiteral("20"));
    ids.addValue(QStringLiteral("custom")); // an item without identifier: texts again
    EXPECT_EQ(ids.listItemValue(1), QStringLiteral("fast"));
}

// The host's terminal dialog with the plug-in's panel over the host parameters.
class Terminal : public testsupport::CatalogueDbTest {
protected:
    void SetUp() override {
        CatalogueDbTest::SetUp();
        VGXGuiRegistry::reset();
        VGXCommandPanelClasses::registerPanelClass(vgxapp::ScpiTerminalDialog::PanelClass,
                                                   &InteractiveCommandPanelImplementation::create);
        dialog.reset(vgxapp::ScpiTerminalDialog::create());
        ASSERT_NE(dialog, nullptr);
        panel = dynamic_cast<InteractiveCommandPanelImplementation*>(dialog->contentPanel());
        ASSERT_NE(panel, nullptr);
        dialog->show();
        line = panel->commandField()->lineEdit();
    }
    void TearDown() override {
        dialog.reset();
        VGXGuiRegistry::reset();
        CatalogueDbTest::TearDown();
    }
    // What the user types, then Return.
    void enter(const QString& text, bool paste = false) {
        line->setFocus();
        if (paste)
            line->insert(text);
        else
            QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    QString terminal() const { return panel->terminal()->toPlainText(); }

    std::unique_ptr<vgxapp::ScpiTerminalDialog> dialog;
    InteractiveCommandPanelImplementation* panel = nullptr;
    QLineEdit* line = nullptr;
};

TEST_F(Terminal, AnswersQueriesShowsErrorsAndRecallsEarlierCommands) {
    EXPECT_TRUE(panel->button(CommandPanelIfc::ButtonCustom1)->isHidden());
    EXPECT_FALSE(panel->button(CommandPanelIfc::ButtonClear)->isHidden());
    enter(QStringLiteral("*IDN?"));
    EXPECT_TRUE(terminal().startsWith(QStringLiteral("> *IDN?\nMaravel,VGX Host,")))
        << terminal().toStdString();
    EXPECT_TRUE(line->text().isEmpty());
    enter(QStringLiteral("*IDM?"));
    EXPECT_TRUE(terminal().endsWith(QStringLiteral("> *IDM?\nerror: -113,\"Undefined header;*IDM?\"\n")))
        << terminal().toStdString();
    // The error stays queued for the session, as for a remote client.
    enter(QStringLiteral("SYST:ERR?"));
    EXPECT_TRUE(terminal().endsWith(QStringLiteral("> SYST:ERR?\n-113,\"Undefined header;*IDM?\"\n")));

    for (const auto& [key, shown] : {std::pair{Qt::Key_Up, "SYST:ERR?"},
                                     {Qt::Key_Up, "*IDM?"},
                                     {Qt::Key_Up, "*IDN?"},
                                     {Qt::Key_Up, "*IDN?"},
                                     {Qt::Key_Down, "*IDM?"},
                                     {Qt::Key_Down, "SYST:ERR?"},
                                     {Qt::Key_Down, ""}}) {
        QTest::keyClick(line, key);
        EXPECT_EQ(line->text(), QString::fromLatin1(shown));
    }
    QTest::keyClick(line, Qt::Key_Up);
    QTest::keyClick(line, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(terminal().endsWith(QStringLiteral("> SYST:ERR?\n0,\"No error\"\n")));

    // "Execute" on the empty field runs nothing again.
    const QString before = terminal();
    QTest::mouseClick(panel->button(CommandPanelIfc::ButtonExecute)->button(), Qt::LeftButton);
    EXPECT_EQ(terminal(), before);

    panel->setPanelEnabled(false);
    EXPECT_TRUE(line->isReadOnly());
    EXPECT_FALSE(panel->button(CommandPanelIfc::ButtonExecute)->button()->isEnabled());
    QTest::mouseClick(panel->button(CommandPanelIfc::ButtonClear)->button(), Qt::LeftButton);
    EXPECT_TRUE(terminal().isEmpty());
}

TEST_F(Terminal, ALineOfOneMegabyteIsRefusedLikeARemoteClientsAndTheTerminalGoesOn) {
    enter(QString(1 << 20, QLatin1Char('A')), true);
    EXPECT_LE(line->text().size(), CommandPanelIfc::MaxCommandLength + 1);
    EXPECT_TRUE(terminal().endsWith(QStringLiteral("characters)\nerror: -363,\"Input buffer overrun\"\n")));
    EXPECT_LT(terminal().size(), 200);
    enter(QStringLiteral("*ESR?"));
    EXPECT_TRUE(terminal().endsWith(QStringLiteral("> *ESR?\n8\n"))) << terminal().toStdString();
}

TEST_F(Terminal, OpenInEditorWritesOnlyTheCommandsAndRefusesAnEmptyTerminal) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    qputenv("VISUAL", "true"); // an editor that opens nothing
    const QString file = dir.filePath(QStringLiteral("tmp.txt"));
    auto openInEditor = [&] {
        VGXErrorManager::Collector errors;
        panel->button(CommandPanelIfc::ButtonOpenInEditor)->press();
        return errors.isEmpty() ? QString() : errors.errors().constFirst().text;
    };
    EXPECT_EQ(openInEditor(), QStringLiteral("You have no text in your terminal window!"));
    EXPECT_EQ(dialog->statusMessage(), QStringLiteral("You have no text in your terminal window!"));
    EXPECT_FALSE(QFile::exists(file));

    panel->appendReplyLine(QStringLiteral("a reply only"));
    EXPECT_EQ(openInEditor(), QString());
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().isEmpty());
    written.close();

    enter(QStringLiteral("*CLS"));
    enter(QStringLiteral("*OPC?"));
    EXPECT_EQ(openInEditor(), QString());
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("*CLS\r\n*OPC?\r\n"));
    qunsetenv("VISUAL");
    QDir::setCurrent(previous);
}

} // namespace
