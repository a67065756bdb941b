// The main window's KOBRA menu: an entry for each registered item whose dialog a registered factory
// creates, in registration order, opening that dialog; items that would open nothing are left out.
#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>
#include <utility>

#include "app/HostMainWindow.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDfModuleBase.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogAttributes.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/impl/VGXGuiRegistry.h"

using namespace MvQARN;

namespace {

// Creates a dialog for the names it knows, nothing for any other.
class KnownDialogs : public VGXDfModuleBase {
public:
    explicit KnownDialogs(QStringList names) : m_names(std::move(names)) {}
    VGXDialog* createDialog(const VGXDialogAttributes* attributes) override {
        return m_names.contains(attributes->dialogName()) ? new VGXDialog() : nullptr;
    }
    VGXDfModuleBase* clone() const override { return new KnownDialogs(*this); }

private:
    QStringList m_names;
};

// The menu's entries as their texts, a disabled one marked.
QStringList entries(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        out << a->text() + (a->isEnabled() ? "" : " (disabled)");
    return out;
}

class MainWindowMenu : public ::testing::Test {
protected:
    void SetUp() override {
        VGXGuiRegistry::reset();
        addDialogItem(":KOBRA", "Main", 4);
        addDialogItem(":KOBRA_TRANREC0", "Recorder0", 4);
        addDialogItem(":KOBRA_DEVICE", "DeviceManager", 4);
    }
    void TearDown() override { VGXGuiRegistry::reset(); }
};

} // namespace

TEST_F(MainWindowMenu, OffersOnlyTheItemsWhoseDialogIsCreatedAndOpensThem) {
    VGXDfDialogFactory::registerModule(KnownDialogs({"Main", "DeviceManager"}));
    vgxapp::HostMainWindow window{vgxapp::HostOptions{}};

    EXPECT_EQ(entries(window.kobraMenu()), QStringList({"KOBRA", "KOBRA_DEVICE"}));

    const QList<QAction*> actions = window.kobraMenu()->actions();
    ASSERT_EQ(actions.size(), 2);
    actions[1]->trigger();
    VGXDialog* device = VGXDfDialogFactory::findDialog("DeviceManager", ":KOBRA_DEVICE");
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(device->isVisible());
    VGXDialog* main = VGXDfDialogFactory::findDialog("Main", ":KOBRA");
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainWindowMenu, WithoutAnyDialogTheMenuOffersNothingToOpen) {
    VGXDfDialogFactory::registerModule(KnownDialogs({"SomethingElse"}));
    vgxapp::HostMainWindow window{vgxapp::HostOptions{}};
    EXPECT_EQ(entries(window.kobraMenu()), QStringList({"(no dialogs available) (disabled)"}));
    EXPECT_TRUE(VGXDfDialogFactory::dialogs().isEmpty());
}
