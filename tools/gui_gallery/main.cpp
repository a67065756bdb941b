// gui_gallery [OUTPUT.png]
//
// Builds one dialog with every control of the host GUI framework bound to parameters of a small
// test database: value rows, text fields with units and unit choices, a pattern field, combo,
// toggle, check box, lamps, action and dialog buttons, a table, tabs styled by slot, a block of
// the block diagram and a structure strip, labels aligned in two columns. One refused input shows
// its error on the status line. The dialog is grabbed to a PNG (default gui_gallery.png). Runs
// offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "host/db/impl/CDbEngine.h"
#include "host/gui/VGXAdjustSizes.h"
#include "host/gui/VGXAdjustTwoColumns.h"
#include "host/gui/VGXBlockPanel.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXCheckParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptorNBitEntry.h"
#include "host/gui/VGXDescriptorPatternEntry.h"
#include "host/gui/VGXDescriptorTable.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXDialogButton.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXGridLayout.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXLabelParameter.h"
#include "host/gui/VGXLedButton.h"
#include "host/gui/VGXLineBorder.h"
#include "host/gui/VGXNavigationPanel.h"
#include "host/gui/VGXSaveRecallPopup.h"
#include "host/gui/VGXStructureLabel.h"
#include "host/gui/VGXStyleManager.h"
#include "host/gui/VGXTabViewer.h"
#include "host/gui/VGXTable.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXToggleParameter.h"
#include "host/util/VGXUtility.h"
#include "tests/support/TestDbDefinitions.h"

using namespace MvQARN;

namespace {

// Four waveform entries: file, rate, state.
class WaveTable : public VGXDescriptorTable {
public:
    int rowCount() const override { return 4; }
    int columnCount() const override { return 3; }
    QString headerText(int c) const override {
        return QStringList{"File", "Sample Rate\n /MHz", "State"}.value(c);
    }
    QString widthTemplate(int c) const override {
        return QString(QStringList{"28", "9", "4"}.value(c).toInt(), QLatin1Char('X'));
    }
    QString rowHeader(int r) const override { return QStringLiteral("ARB %1").arg(r + 1); }
    QString rowHeaderTemplate() const override { return QStringLiteral("ARB 4"); }
    QString cellText(int r, int c) const override {
        static const QStringList files{"/home/user/ARBWaveForms/lte_20mhz.wv", "None", "sine_1mhz.wv",
                                       "None"};
        switch (c) {
        case 0:
            return files.value(r);
        case 1:
            return files.value(r) == "None" ? QString()
                                            : QStringLiteral("%1").arg(30.72 / (r + 1), 0, 'f', 3);
        default:
            return m_on[r] ? QStringLiteral("On") : QStringLiteral("Off");
        }
    }
    int cellKind(int, int c, int& attributes) const override {
        attributes = c == 0 ? 16 : c == 1 ? 176 : 32;
        return c == 0 ? CellSelector : c == 1 ? CellText : CellCheckbox;
    }
    int cellState(int r, int c) const override { return c == 2 ? int(m_on[r]) : -1; }
    void setCellState(int r, int c, int state) override {
        m_on[r] = state != 0;
        redrawCell(r, c);
    }

private:
    bool m_on[4] = {true, false, true, false};
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("gui_gallery.png");

    dbtest::Defs defs;
    defs.select("GalleryState", 0, 1, 1);
    defs.select("GalleryTrigSource", 0, 7, 3);
    defs.number("GalleryClockRate", 1000, 4e8, 1e7);
    defs.number("GalleryClockSkew", -5e-9, 5e-9, 2.5e-10);
    defs.number("GallerySampleRate", 0, 8e8, 3.072e7);
    defs.select("GalleryNegate", 0, 1, 0);
    defs.select("GalleryFormat", 0, 1, 1);
    defs.string("GalleryPattern", "0101XX10");
    defs.bits("GalleryCmData", 8, 8, 8);
    defs.string("GalleryFile", "/home/user/Documents/RecorderWaveForms/capture_001.wv");
    defs.event("GalleryPreset");
    defs.select("GalleryPll", 0, 1, 1);
    defs.select("GalleryDcm", 0, 1, 1);
    defs.select("GalleryNoData", 0, 1, 0);
    defs.select("GalleryRateMode", 0, 1, 0);
    defs.number("GalleryWordSize", 4, 18, 16);
    if (defs.registerAll() != 0) {
        std::fprintf(stderr, "gui_gallery: test database refused\n");
        return 1;
    }

    VGXDescriptorEntry* descriptors[] = {
        new VGXDescriptorCheckboxEntry(VGXUserDbAttributes("GalleryState"), true, "Off", "On"),
        new VGXDescriptorComboboxEntry(VGXUserDbAttributes("GalleryTrigSource"), true,
                                       {"Software", "Data Valid", "GP_0 (Marker 0)", "GP_1 (Reserve 0)",
                                        "GP_2 (Trigger 0)", "GP_3 (Trigger 1)", "GP_4 (Marker 1)",
                                        "GP_5 (Reserve 1)"},
                                       {0, 1, 2, 4, 5, 6, 3, 7}),
        new VGXDescriptorComboboxEntry(VGXUserDbAttributes("GalleryFormat"), true, {"Serial", "Parallel"}),
        new VGXDescriptorComboboxEntry(VGXUserDbAttributes("GalleryRateMode"), true, {"SDR", "DDR"}),
        new VGXDescriptorPatternEntry(VGXUserDbAttributes("GalleryPattern"), true, "01X", 4, 32),
        new VGXDescriptorNBitEntry(VGXUserDbAttributes("GalleryCmData"), true, 8),
        nullptr,
    };
    VGXDescriptors::addDescriptors(descriptors);

    auto* dialog = new VGXDialog(QStringLiteral("GuiGallery"), -1, -1, 16);
    dialog->setTitles(VGXUtility::buildString("KOBRA ", 1, ": GUI Gallery"),
                      VGXUtility::buildString("KOBRA\n", "Gallery"));
    dialog->setAttributes(VGXDialog::FitWidth | VGXDialog::FitHeight);
    dialog->setSizeInButtons(10);

    auto* content = new VGXNavigationPanel;
    content->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    content->setIndents(MvGuiFramework::CBoxIndents(2));
    dialog->setContentPanel(content);

    VGXAdjustTwoColumns columns;
    // Left: settings in titled groups.
    auto* left = new VGXNavigationPanel(content);
    left->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    content->add(left);

    auto* top = new VGXNavigationPanel(left);
    top->setLayout(new VGXGridLayout(2, 2));
    left->add(top);
    top->add(new VGXLabel(top, QStringLiteral("State")),
             VGXConstraints(0, 0, 1, 1, VGXConstraints::FillNone));
    top->add(new VGXToggleParameter(top, QString(), VGXUserDbAttributes("GalleryState")),
             VGXConstraints(1, 0));
    auto* preset =
        new VGXButtonParameter(top, QStringLiteral("Set To Default"), VGXUserDbAttributes("GalleryPreset"));
    auto* saveRecall = new VGXDialogButton(top, QStringLiteral("Save/Recall..."));
    saveRecall->setOnlineKey("GalleryFile");
    saveRecall->setPopup(new VGXSaveRecallPopup(
        saveRecall,
        VGXUserPopupList()
            .add(VGXPopupStruct::recall("Recall Gallery", "Recall Gallery Settings", "GalleryFile", nullptr))
            .add(VGXPopupStruct::save("Save Gallery", "Save Gallery Settings", "GalleryFile", nullptr)),
        -1));
    top->add(preset, VGXConstraints(0, 1));
    top->add(saveRecall, VGXConstraints(1, 1));
    VGXAdjustSizes buttons;
    buttons.add(preset->button());
    buttons.add(saveRecall->button());
    buttons.doAdjustment();
    left->addSpace();

    auto* protocol = new VGXNavigationPanel(left);
    protocol->setTitleBorder(QStringLiteral("Protocol"));
    left->add(protocol);
    auto* format =
        new VGXComboParameter(protocol, QStringLiteral("Format"), VGXUserDbAttributes("GalleryFormat"));
    auto* rate =
        new VGXComboParameter(protocol, QStringLiteral("Data Rate"), VGXUserDbAttributes("GalleryRateMode"));
    auto* clock = new VGXTextParameter(protocol, QStringLiteral("Clock Rate"),
                                       VGXUserDbAttributes("GalleryClockRate"), "Hz");
    auto* skew =
        new VGXTextParameter(protocol, QStringLiteral("Clock Skew"), VGXUserDbAttributes("GalleryClockSkew"));
    skew->setUnits({"ns", "ps"}, {1e-9, 1e-12});
    auto* sampleRate = new VGXLabelParameter(protocol, QStringLiteral("Sample Rate"),
                                             VGXUserDbAttributes("GallerySampleRate"), "Hz");
    auto* words = new VGXTextParameter(protocol, QStringLiteral("Word Size"),
                                       VGXUserDbAttributes("GalleryWordSize"), "Bit");
    for (VGXParameterControl* c :
         {static_cast<VGXParameterControl*>(format), static_cast<VGXParameterControl*>(rate),
          static_cast<VGXParameterControl*>(clock), static_cast<VGXParameterControl*>(skew),
          static_cast<VGXParameterControl*>(sampleRate), static_cast<VGXParameterControl*>(words)}) {
        protocol->add(c);
        columns.add(c);
    }
    sampleRate->setOnlineKey("GallerySampleRate");
    left->addSpace();

    auto* trigger = new VGXNavigationPanel(left);
    trigger->setTitleBorder(QStringLiteral("Trigger Settings"));
    left->add(trigger);
    auto* source = new VGXComboParameter(trigger, QStringLiteral("Trigger Source"),
                                         VGXUserDbAttributes("GalleryTrigSource"));
    auto* negate =
        new VGXCheckParameter(trigger, QStringLiteral("Negate I Data"), VGXUserDbAttributes("GalleryNegate"));
    auto* pattern =
        new VGXTextParameter(trigger, QStringLiteral("Pattern"), VGXUserDbAttributes("GalleryPattern"));
    auto* cm = new VGXTextParameter(trigger, QStringLiteral("C&&M Data (hex)"),
                                    VGXUserDbAttributes("GalleryCmData"));
    auto* file =
        new VGXDialogButton(trigger, QStringLiteral("File ..."), VGXUserDbAttributes("GalleryFile"), 0);
    for (VGXParameterControl* c :
         {static_cast<VGXParameterControl*>(source), static_cast<VGXParameterControl*>(negate),
          static_cast<VGXParameterControl*>(pattern), static_cast<VGXParameterControl*>(cm)}) {
        trigger->add(c);
        columns.add(c);
    }
    trigger->add(file);
    auto* leds = new VGXPanel(trigger);
    leds->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    leds->setBorder(new VGXLineBorder());
    leds->add(new VGXLedButton(leds, QStringLiteral("PLL lock"), VGXUserDbAttributes("GalleryPll")));
    leds->add(new VGXLedButton(leds, QStringLiteral("DCM lock"), VGXUserDbAttributes("GalleryDcm")));
    auto* noData =
        new VGXLedButton(leds, QStringLiteral("Only Zeroes"), VGXUserDbAttributes("GalleryNoData"));
    noData->setReadOnly(true);
    leds->add(noData);
    trigger->add(leds);
    columns.doAdjustment();

    // Right: tabs with a table, a block of the block diagram and a structure strip.
    auto* right = new VGXNavigationPanel(content);
    right->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    content->add(right, 1);
    auto* tabs = new VGXTabViewer(right);
    QPalette selected = VGXStyleManager::palette(QStringLiteral("DefaultPalette"));
    selected.setColor(QPalette::Active, QPalette::Window, Qt::white);
    selected.setColor(QPalette::Inactive, QPalette::Window, QColor(218, 212, 206));
    QPalette unselected = VGXStyleManager::palette(QStringLiteral("DefaultPalette"));
    unselected.setColor(QPalette::Window, QColor(218, 212, 206));
    tabs->setSlotPalette(VGXTabViewer::SlotSelectedTab, selected);
    tabs->setSlotPalette(VGXTabViewer::SlotTab, unselected);
    tabs->setSlotStyle(VGXTabViewer::SlotSelectedTab, QStringLiteral("BoldFont"));
    auto* arb = new VGXNavigationPanel;
    arb->setTitleBorder(QStringLiteral("ARB Sources"));
    auto* table = new VGXTable(arb, new WaveTable);
    table->setFixedHeight(140);
    arb->add(table);
    tabs->addTab(arb, QStringLiteral("ARB Settings"));
    tabs->addTab(new VGXLabel(nullptr, QStringLiteral("Data settings")), QStringLiteral("Data"));
    tabs->addTab(new VGXLabel(nullptr, QStringLiteral("Clock settings")), QStringLiteral("Clock"), 1);
    tabs->setCurrentIndex(0);
    right->add(tabs);

    auto* diagram = new VGXPanel(right);
    diagram->setColorPalette(QStringLiteral("diagramPalette"));
    diagram->setLayout(new VGXFlowLayout(VGXFlowLayout::LeftToRight));
    diagram->setIndents(MvGuiFramework::CBoxIndents(6));
    right->add(diagram);
    auto* block = new VGXBlockPanel(diagram, QStringLiteral("KOBRA A In"));
    block->setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    block->add(new VGXComboParameter(block, QString(), VGXUserDbAttributes("GalleryFormat")));
    block->add(new VGXCheckParameter(block, QStringLiteral("On"), VGXUserDbAttributes("GalleryState"),
                                     VGXCheckParameter::LabelOnBox));
    diagram->add(block);
    auto* frame = new VGXStructureLabel(diagram);
    frame->setStructure({{"I", 16, VGXStyleManager::color("DataColor")},
                         {"Q", 16, VGXStyleManager::color("DataColor")},
                         {"C&M", 8, VGXStyleManager::color("ControlColor")}});
    diagram->add(frame, 1);
    right->add(new QWidget(right), 1);

    dialog->show();
    if (!QTest::qWaitForWindowExposed(dialog)) {
        std::fprintf(stderr, "gui_gallery: the dialog never showed\n");
        return 1;
    }
    // One refused input, so the status line shows how errors look.
    clock->lineEdit()->setFocus();
    clock->lineEdit()->selectAll();
    QTest::keyClicks(clock->lineEdit(), QStringLiteral("5 GHz"));
    QTest::keyClick(clock->lineEdit(), Qt::Key_Return);
    QApplication::processEvents();

    const QPixmap picture = dialog->grab();
    if (!picture.save(out)) {
        std::fprintf(stderr, "gui_gallery: cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("%s %dx%d\n", qPrintable(out), picture.width(), picture.height());
    delete dialog;
    CDbEngine::instance().reset();
    return 0;
}
