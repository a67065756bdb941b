// Dialog registry: clones of registered modules, asking modules in order, keeping dialogs by name
// and qualifier, bringing them to the front, and persistence.
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <gtest/gtest.h>
#include <memory>

#include "host//gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDfModuleBase.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

namespace {

// Shared by a module and its clones, so a test sees what the registry's clone was asked.
struct Journal {
    QStringList calls;
    int clones = 0;
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
        m_journal->calls << m_tag + QStringLiteral(" create ") + a->dialogName();
        if (!m_names.contains(a->dialogName()))
            return nullptr;
        auto* d = new VGXDialog();
        d->setTitles(m_tag, m_tag);
        return d;
    }
    VGXDfModuleBase* clone() const override {
        ++m_journal->clones;
        return new NamedModule(*this);
    }
    void isAboutToGetDialogPointer(VGXDialog* d, const VGXDialogAttributes* a) override {
        m_journal->calls << m_tag + QStringLiteral(" again ") + d->name() + '/' + a->dialogQualifier();
    }
    void isAboutToFront(VGXDialog* d) override {
        m_journal->calls << m_tag + QStringLiteral(" front ") + d->name();
    }
    bool getPersistent() const override { return m_persistent; }

    void rename(const QString& tag) { m_tag = tag; }

private:
    QString m_tag;
    QStringList m_names;
    std::shared_ptr<Journal> m_journal;
    bool m_persistent;
};

class VGXDfDialogFactoryTest : public ::testing::Test {
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

TEST_F(VGXDfDialogFactoryTest, RegistryKeepsItsOwnCloneOfTheModule) {
    {
        NamedModule original("first", {"Main"}, journal);
        EXPECT_EQ(VGXDfDialogFactory::registerModule(original), 1);
        EXPECT_EQ(journal->clones, 1);
        EXPECT_NE(VGXDfDialogFactory::module(0), &original);
        original.rename("renamed");
    } // the original is gone; the clone answers
    VGXDialog* d = open("Main");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->title(), "first");
    EXPECT_EQ(VGXGuiRegistry::lines("registerModule"),
              QStringList{"registerModule (anonymous namespace)::NamedModule -> 1"});

    const int destroyedBefore = journal->destroyed;
    VGXDfDialogFactory::reset();
    EXPECT_EQ(journal->destroyed, destroyedBefore + 1);
    EXPECT_EQ(VGXDfDialogFactory::moduleCount(), 0);
    EXPECT_EQ(VGXDfDialogFactory::module(0), nullptr);
}

TEST_F(VGXDfDialogFactoryTest, ModulesAreAskedInRegistrationOrderUntilOneCreates) {
    VGXDfDialogFactory::registerModule(NamedModule("A", {"Shared"}, journal));
    VGXDfDialogFactory::registerModule(NamedModule("B", {"Shared", "OnlyB"}, journal));
    EXPECT_EQ(VGXDfDialogFactory::moduleCount(), 2);

    VGXDialog* b = open("OnlyB");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->title(), "B");
    EXPECT_EQ(b->name(), "OnlyB"); // a dialog without a name takes the asked name
    ASSERT_NE(b->attributes(), nullptr);
    EXPECT_EQ(b->attributes()->dialogName(), "OnlyB");

    VGXDialog* s = open("Shared");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->title(), "A");
    EXPECT_EQ(open("Unknown"), nullptr);
    EXPECT_EQ(VGXDfDialogFactory::getDialogPointer(nullptr), nullptr);

    EXPECT_EQ(journal->calls, (QStringList{"A create OnlyB", "B create OnlyB", "A create Shared",
                                           "A create Unknown", "B create Unknown"}));
}

TEST_F(VGXDfDialogFactoryTest, DialogsAreKeptByNameAndQualifier) {
    VGXDfDialogFactory::registerModule(NamedModule("A", {"Rec"}, journal));
    const VGXUserDialogAttributes q0("Rec", "0", 1, 0, 0, 0);
    const VGXUserDialogAttributes q0other("Rec", "0", 3, 1, 1, 0);
    const VGXUserDialogAttributes q1("Rec", "1");

    VGXDialog* first = VGXDfDialogFactory::getDialogPointer(&q0);
    ASSERT_NE(first, nullptr);
    journal->calls.clear();
    EXPECT_EQ(VGXDfDialogFactory::getDialogPointer(&q0other), first);
    EXPECT_EQ(journal->calls, QStringList{"A again Rec/0"});
    VGXDialog* second = VGXDfDialogFactory::getDialogPointer(&q1);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(VGXDfDialogFactory::findDialog("Rec", "1"), second);
    EXPECT_EQ(VGXDfDialogFactory::findDialog("Rec", "2"), nullptr);
    EXPECT_EQ(VGXDfDialogFactory::dialogs(), (QList<VGXDialog*>{first, second}));

    // The dialog keeps a copy of the attributes of its creation, with their class.
    const auto* kept = dynamic_cast<const VGXUserDialogAttributes*>(first->attributes());
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->instance(), 1);

    QPointer<VGXDialog> watch(first);
    VGXDfDialogFactory::deleteDialogs();
    EXPECT_TRUE(watch.isNull());
    EXPECT_TRUE(VGXDfDialogFactory::dialogs().isEmpty());
    EXPECT_EQ(VGXDfDialogFactory::moduleCount(), 1);
}

TEST_F(VGXDfDialogFactoryTest, ToFrontShowsTheDialogAndTellsItsModule) {
    VGXDfDialogFactory::registerModule(NamedModule("A", {"Main"}, journal));
    const VGXDialogAttributes a("Main");
    VGXDialog* d = VGXDfDialogFactory::toFront(&a);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(journal->calls, (QStringList{"A create Main", "A front Main"}));

    d->hide();
    EXPECT_TRUE(VGXDfDialogFactory::toFront(d));
    EXPECT_TRUE(d->isVisible());

    VGXDialog stranger("Stranger");
    EXPECT_FALSE(VGXDfDialogFactory::toFront(&stranger));
    EXPECT_FALSE(stranger.isVisible());
    const VGXDialogAttributes unknown("Unknown");
    EXPECT_EQ(VGXDfDialogFactory::toFront(&unknown), nullptr);
}

TEST_F(VGXDfDialogFactoryTest, PersistentDialogsSurviveClosingOthersAreMadeAnew) {
    VGXDfDialogFactory::registerModule(NamedModule("P", {"Keep"}, journal, true));
    VGXDfDialogFactory::registerModule(NamedModule("T", {"Drop"}, journal, false));
    const VGXDialogAttributes keep("Keep"), drop("Drop");
    QPointer<VGXDialog> k = VGXDfDialogFactory::toFront(&keep), t = VGXDfDialogFactory::toFront(&drop);
    ASSERT_FALSE(k.isNull() || t.isNull());
    k->close();
    t->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(k.isNull());
    EXPECT_TRUE(t.isNull());
    EXPECT_EQ(open("Keep"), k.data());
    EXPECT_NE(open("Drop"), nullptr);
    EXPECT_EQ(VGXDfDialogFactory::dialogs().size(), 2);
}
