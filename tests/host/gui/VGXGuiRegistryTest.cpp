// The host's GUI registries: dialog modules (the registry's own clone, asked in order, dialogs kept by
// name and qualifier, persistence), descriptors, file types and menu items with their printed lines.
#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <gtest/gtest.h>
#include <memory>

#include "host/gui/VGXDescriptorTextEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDfModuleBase.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXMain.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "host/util/impl/VGXTraceSink.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

namespace {

// Calls of a module and its clones, shared so a test sees what the registry's clone was asked.
struct Journal {
    QStringList calls;
    int destroyed = 0;
};

class NamedModule : public VGXDfModuleBase {
public:
    NamedModule(QString tag, QStringList names, std::shared_ptr<Journal> journal, bool persistent = true)
        : m_tag(std::move(tag)), m_names(std::move(names)), m_journal(std::move(journal)),
          m_persistent(persistent) {}
    NamedModule(const NamedModule&) = default;
    ~NamedModule() override { ++m_journal->destroyed; }
    VGXDialog* createDialog(const VGXDialogAttributes* a) override {
        m_journal->calls << m_tag + " create " + a->dialogName();
        if (!m_names.contains(a->dialogName()))
            return nullptr;
        auto* d = new VGXDialog();
        d->setTitles(m_tag, m_tag);
        return d;
    }
    VGXDfModuleBase* clone() const override { return new NamedModule(*this); }
    void isAboutToGetDialogPointer(VGXDialog* d, const VGXDialogAttributes* a) override {
        m_journal->calls << m_tag + " again " + d->name() + '/' + a->dialogQualifier();
    }
    bool getPersistent() const override { return m_persistent; }
    QString m_tag;

private:
    QStringList m_names;
    std::shared_ptr<Journal> m_journal;
    bool m_persistent;
};

class TrackedEntry : public VGXDescriptorTextEntry {
public:
    TrackedEntry(const char* name, int* destroyed)
        : VGXDescriptorTextEntry(VGXUserDbAttributes(name), true), m_destroyed(destroyed) {}
    ~TrackedEntry() override { ++*m_destroyed; }

private:
    int* m_destroyed;
};

class VGXGuiRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { VGXGuiRegistry::reset(); }
    void TearDown() override { VGXGuiRegistry::reset(); }
    static VGXDialog* open(const char* name) {
        const VGXDialogAttributes a(name);
        return VGXDfDialogFactory::getDialogPointer(&a);
    }
    std::shared_ptr<Journal> journal = std::make_shared<Journal>();
};

} // namespace

TEST_F(VGXGuiRegistryTest, ModulesAreTheRegistrysOwnClonesAskedInOrderUntilOneCreates) {
    {
        NamedModule a("A", {"Shared"}, journal);
        VGXDfDialogFactory::registerModule(a);
        a.m_tag = "renamed"; // the registry's clone answers
    }
    VGXDfDialogFactory::registerModule(NamedModule("B", {"Shared", "OnlyB"}, journal));
    VGXDialog* b = open("OnlyB");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->name(), "OnlyB"); // a dialog without a name takes the asked name
    ASSERT_NE(open("Shared"), nullptr);
    EXPECT_EQ(open("Shared")->title(), "A");
    EXPECT_EQ(open("Unknown"), nullptr);
    EXPECT_EQ(journal->calls, (QStringList{"A create OnlyB", "B create OnlyB", "A create Shared",
                                           "A again Shared/", "A create Unknown", "B create Unknown"}));
    const int destroyed = journal->destroyed;
    VGXDfDialogFactory::reset();
    EXPECT_EQ(journal->destroyed, destroyed + 2);
}

TEST_F(VGXGuiRegistryTest, DialogsAreKeptByNameAndQualifierAndOnlyPersistentOnesSurviveClosing) {
    VGXDfDialogFactory::registerModule(NamedModule("P", {"Rec"}, journal, true));
    VGXDfDialogFactory::registerModule(NamedModule("T", {"Drop"}, journal, false));
    const VGXUserDialogAttributes q0("Rec", "0", 1, 0, 0, 0), q0other("Rec", "0", 3, 1, 1, 0), q1("Rec", "1");
    QPointer<VGXDialog> first = VGXDfDialogFactory::getDialogPointer(&q0);
    ASSERT_FALSE(first.isNull());
    // Assistive tools find a module's dialog by its dialog role.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(first.data())->role(), QAccessible::Dialog);
    EXPECT_EQ(VGXDfDialogFactory::getDialogPointer(&q0other), first.data());
    EXPECT_NE(VGXDfDialogFactory::getDialogPointer(&q1), first.data());
    QPointer<VGXDialog> t = open("Drop");
    first->close();
    t->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first.isNull());
    EXPECT_TRUE(t.isNull());
}

TEST_F(VGXGuiRegistryTest, DescriptorsFileTypesAndMenuItemsTheLatestWinsWhereNamesRepeat) {
    int destroyed = 0;
    auto* second = new TrackedEntry("IdPDbA", &destroyed);
    VGXDescriptorEntry* list[] = {new TrackedEntry("IdPDbA", &destroyed), second, nullptr};
    EXPECT_EQ(VGXDescriptors::addDescriptors(list), 2);
    EXPECT_EQ(VGXDescriptors::find("IdPDbA"), second);

    // A pattern finds the first handle registered for it.
    for (const char* pattern : {"*.lynx", "*.wv", "*.wv"})
        VGXMain::registerFileType(QStringLiteral("T (%1)").arg(pattern), pattern, false);
    EXPECT_EQ(VGXMain::findFileTypeIndex("*.wv"), 2);

    QStringList printed;
    VGXScopedTraceCapture capture([&](const QString& l) { printed << l; });
    EXPECT_EQ(addDialogItem(":KOBRA", "CKobraDlgMain", 4), 0);
    {
        VGXGuiOwnerScope owner(2028);
        EXPECT_EQ(addDialogItem(":KOBRA", "C:\\say \"hi\"", 2), 1);
    }
    EXPECT_EQ(findDialogItem(":KOBRA"), "C:\\say \"hi\"");
    EXPECT_EQ(printed.value(1), "addDialogItem \":KOBRA\" \"C:\\\\say \\\"hi\\\"\" 2");

    VGXGuiRegistry::reset();
    EXPECT_EQ(destroyed, 2);
    EXPECT_TRUE(dialogItems().isEmpty());
    EXPECT_TRUE(VGXMain::fileTypes().isEmpty());
}
