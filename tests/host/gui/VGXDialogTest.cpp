// Dialog frame, dialog attributes and database bindings.
#include <QLabel>
#include <QPointer>
#include <gtest/gtest.h>

#include "host//gui/VGXDialog.h"
#include "host/gui/VGXUserDbAttributes.h"
#include "host/gui/VGXUserDialogAttributes.h"
#include "support/QtGTestPrinters.h"

using namespace MvQARN;

TEST(VGXDialog, TitlesSizesAndContent) {
    VGXDialog d("CKobraDlgMain");
    EXPECT_EQ(d.objectName(), "CKobraDlgMain");
    d.setTitles("KOBRA Box Configuration", "KOBRA");
    EXPECT_EQ(d.windowTitle(), "KOBRA Box Configuration");
    d.setSizeInButtons(4, 10);
    EXPECT_EQ(d.size(), QSize(4 * VGXDialog::ButtonWidth, 10 * VGXDialog::ButtonHeight));

    QPointer<QLabel> first = new QLabel("first");
    d.setContentPanel(first);
    EXPECT_EQ(first->parentWidget(), &d);
    QPointer<QLabel> second = new QLabel("second");
    d.setContentPanel(second);
    EXPECT_TRUE(first.isNull()); // the replaced panel is deleted
    EXPECT_EQ(d.contentPanel(), second.data());
    d.setContentPanel(second); // setting the same panel again keeps it
    EXPECT_FALSE(second.isNull());
}

TEST(VGXUserDbAttributes, MinusOneIndicesResolveToTheCurrentInstance) {
    VGXUserDbAttributes::setCurrentInstance(1);
    VGXUserDbAttributes::setCurrentChannel(3);
    VGXUserDbAttributes::setCurrentDirection(1);
    VGXUserDbAttributes::setCurrentStation(0);
    const VGXUserDbAttributes byName("IdPDbLynxState");
    EXPECT_EQ(byName.name(), QByteArray("IdPDbLynxState"));
    EXPECT_EQ(byName.resolve(), (SDbInstTupel{1, 1, 0, 3}));
    const VGXUserDbAttributes mixed("IdPDbLynxState", 0, -1, -1, 2);
    EXPECT_EQ(mixed.resolve(), (SDbInstTupel{0, 1, 2, 3}));
    // Resolution happens when asked, so a later current instance counts.
    VGXUserDbAttributes::setCurrentInstance(0);
    VGXUserDbAttributes::setCurrentChannel(0);
    VGXUserDbAttributes::setCurrentDirection(0);
    EXPECT_EQ(byName.resolve(), (SDbInstTupel{0, 0, 0, 0}));
    EXPECT_EQ(mixed.resolve(), (SDbInstTupel{0, 0, 2, 0}));
}
