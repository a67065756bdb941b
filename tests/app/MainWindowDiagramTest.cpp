// The main window as the block diagram of the baseband ports: a block per interface, "config..."
// opening its dialog or saying there is none, the SCPI address, and the geometry kept between runs.
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <gtest/gtest.h>

#include "app/HostMainWindow.h"
#include "host/gui/VGXBlockDiagram.h"
#include "host/gui/VGXDfDialogFactory.h"
#include "host/gui/VGXDfModuleBase.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogItem.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "host/gui/impl/VGXGuiRegistry.h"
#include "support/CatalogueDb.h"
#include "support/HermeticSettings.h"
#include "ui/KobraBlock.h"

using namespace MvQARN;

namespace {

// Makes the interface dialog for both directions and remembers the instance it was asked for.
class InOutDialogs : public VGXDfModuleBase {
public:
    VGXDialog* createDialog(const VGXDialogAttributes* attributes) override {
        const auto* user = dynamic_cast<const VGXUserDialogAttributes*>(attributes);
        if (!user || user->dialogName() != QLatin1String("CBasebandLynxMainInOutDialog"))
            return nullptr;
        s_instance = user->instance();
        return new VGXDialog(user->dialogName());
    }
    VGXDfModuleBase* clone() const override { return new InOutDialogs(*this); }
    static inline int s_instance = -1;
};

class MainWindowDiagram : public testsupport::CatalogueDbTest {
protected:
    void SetUp() override {
        VGXGuiRegistry::reset();
        CatalogueDbTest::SetUp();
        VGXBlockDiagram::registerBlockClass(QStringLiteral("KobraBlock"), &KobraBlock::create);
    }
    void TearDown() override {
        VGXGuiRegistry::reset();
        CatalogueDbTest::TearDown();
    }
    static QPushButton* configOf(VGXBlockPanel* block) {
        for (QPushButton* b : block->findChildren<QPushButton*>())
            if (b->text() == QLatin1String("config..."))
                return b;
        return nullptr;
    }
};

} // namespace

TEST_F(MainWindowDiagram, OneBlockPerInterfaceWhoseConfigOpensItsDialogOrSaysItIsMissing) {
    vgxapp::HostOptions options;
    options.scpiPort = 5125;
    vgxapp::HostMainWindow window(options);
    window.show();
    QStringList titles;
    for (VGXBlockPanel* b : window.blocks()) {
        ASSERT_NE(dynamic_cast<KobraBlock*>(b), nullptr);
        titles << b->title();
    }
    EXPECT_EQ(titles, QStringList({"BBIN A", "BBIN B", "BBOUT A", "BBOUT B"}));
    EXPECT_EQ(window.scpiLabel()->text(), QStringLiteral("SCPI 127.0.0.1:5125"));

    QPushButton* config = configOf(window.blocks()[3]);
    ASSERT_NE(config, nullptr);
    config->click();
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QLatin1String("BBOUT B")));
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QLatin1String("not available")));

    // Where the family registers the dialog for both directions, Out B is its instance 3.
    VGXDfDialogFactory::registerModule(InOutDialogs());
    addDialogItem(":KOBRA_USER", "CBasebandLynxMainInOutDialog", 4);
    config->click();
    EXPECT_EQ(InOutDialogs::s_instance, 3);
    const QList<VGXDialog*> open = VGXDfDialogFactory::dialogs();
    ASSERT_EQ(open.size(), 1);
    EXPECT_TRUE(open[0]->isVisible());
}

TEST_F(MainWindowDiagram, GeometryIsKeptBetweenRunsButNotByAPictureRun) {
    QRect kept;
    {
        vgxapp::HostMainWindow first{vgxapp::HostOptions{}};
        first.show();
        first.setGeometry(QRect(20, 30, first.width() + 11, first.height() + 7));
        kept = first.geometry();
        first.close();
    }
    {
        vgxapp::HostOptions picture;
        picture.screenshotName = QStringLiteral("main");
        vgxapp::HostMainWindow shot(picture);
        shot.show();
        shot.move(200, 100);
    }
    vgxapp::HostMainWindow second{vgxapp::HostOptions{}};
    second.show();
    EXPECT_EQ(second.geometry(), kept);
}
