#include "recorder/CKobraRecSettings.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

#include "frame/KobraDebugChannel.h"
#include "frame/OrvaneSettings.h"
#include "host/gui/CViewerEvent.h"
#include "host/gui/VGXAdjustSizes.h"
#include "host/gui/VGXAdjustTwoColumns.h"
#include "host/gui/VGXButtonParameter.h"
#include "host/gui/VGXComboParameter.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorComboboxEntry.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptorStringEntry.h"
#include "host/gui/VGXDescriptorTextEntry.h"
#include "host/gui/VGXDescriptors.h"
#include "host/gui/VGXDialog.h"
#include "host/gui/VGXFileDialog.h"
#include "host/gui/VGXFlowLayout.h"
#include "host/gui/VGXLabel.h"
#include "host/gui/VGXTextParameter.h"
#include "host/gui/VGXUserFileDialog.h"
#include "recorder/CKobraRecGraph.h"
#include "recorder/VGXTriggerPosition.h"
#include "ui/KobrasCombo.h"

namespace MvQARN {

using MvGuiFramework::CViewerEvent;

namespace {

// The recorder file type among the host's registered types, offered with its own filter as well.
constexpr int kRecorderFileType = 4;
constexpr int kSizeInButtons = 4;

VGXPanel* rowPanel(QWidget* parent, int direction) {
    auto* panel = new VGXPanel(parent);
    panel->setLayout(new VGXFlowLayout(direction));
    panel->setIndents(MvGuiFramework::CBoxIndents(0));
    return panel;
}

QPushButton* userButton(VGXPanel* row, const QString& text, int code) {
    auto* button = new QPushButton(text, row);
    QObject::connect(button, &QPushButton::clicked, row, [row, code] { row->sendUserEvent(code); });
    row->add(button, 0);
    return button;
}

} // namespace

CKobraRecSettings::CKobraRecSettings(QWidget* parent, const QString& dialogName, int& instance,
                                     int& direction, int& channel, const QList<QByteArray>& names,
                                     bool showSlider, const QString& toolText, const QString& toolProgram,
                                     const QStringList& sourceTexts, const QList<int>& sourceValues,
                                     const QList<QByteArray>& locked)
    : VGXNavigationPanel(parent), m_dialogName(dialogName), m_instance(instance), m_direction(direction),
      m_channel(channel), m_savedInstance(VGXUserDbAttributes::currentInstance()),
      m_savedDirection(VGXUserDbAttributes::currentDirection()),
      m_savedChannel(VGXUserDbAttributes::currentChannel()), m_names(names), m_toolProgram(toolProgram) {
    VGXUserDbAttributes::setCurrentInstance(instance);
    VGXUserDbAttributes::setCurrentDirection(direction);
    VGXUserDbAttributes::setCurrentChannel(channel);
    while (m_names.size() < ParamCount)
        m_names.append(QByteArray());
    m_toolboxPath = OrvaneSettings::value(OrvaneSettings::WAVEMILL_PATH).toString();
    m_pellorPath = OrvaneSettings::value(OrvaneSettings::PELLOR_PATH).toString();
    registerDescriptors(sourceTexts, sourceValues);

    setLayout(new VGXFlowLayout(VGXFlowLayout::TopToBottom));
    setIndents(MvGuiFramework::CBoxIndents(2));
    VGXAdjustTwoColumns columns;

    // Data source: the box selector where a serial list is given.
    if (m_names[SerialList].isEmpty()) {
        m_source = new VGXComboParameter(this, QStringLiteral("Data Source"), bind(DataSource));
        columns.add(m_source);
        add(m_source);
    } else {
        VGXPanel* row = rowPanel(this, VGXFlowLayout::LeftToRight);
        auto* label = new VGXLabel(row, QStringLiteral("Data Source"));
        m_source = new KobrasCombo(row, m_names[DataSource].constData(), m_names[SerialList].constData(),
                                   m_instance, m_channel, m_direction, 0);
        m_source->comboBox()->setAccessibleName(QStringLiteral("Data Source"));
        row->add(label, 0);
        row->add(m_source, 1);
        columns.add(label);
        add(row);
    }

    VGXPanel* rateRow = rowPanel(this, VGXFlowLayout::LeftToRight);
    auto* led = new QLabel(QStringLiteral("\u25CF"), rateRow);
    led->setToolTip(QStringLiteral("Recording"));
    m_led = led;
    m_rate = new VGXTextParameter(rateRow, QStringLiteral("Sample Rate"), bind(SampleRate));
    rateRow->add(led, 0);
    rateRow->add(m_rate, 1);
    columns.add(m_rate);
    add(rateRow);

    auto* length = new VGXTextParameter(this, QStringLiteral("Recording Length"), bind(RecLength));
    length->setUnits(unitTexts(LengthUnit), {});
    columns.add(length);
    add(length);

    m_time = new VGXTextParameter(this, QStringLiteral("Recording Time"), bind(RecTime));
    m_time->setReadOnly(true);
    columns.add(m_time);
    add(m_time);

    auto* trigSource = new VGXComboParameter(this, QStringLiteral("Trigger Source"), bind(TrigSource));
    columns.add(trigSource);
    add(trigSource);

    auto* position = new VGXTextParameter(this, QStringLiteral("Trigger Position"), bind(TrigPosition));
    position->setUnits(unitTexts(TrigUnit), {});
    columns.add(position);
    add(position);
    // One unit column: the fields with a unit end at one x.
    VGXAdjustSizes units;
    for (QWidget* unit :
         {static_cast<QWidget*>(m_rate->unitLabel()), static_cast<QWidget*>(length->unitCombo()),
          static_cast<QWidget*>(position->unitCombo())})
        units.add(unit);
    units.doAdjustment();

    if (showSlider) {
        m_slider = new VGXTriggerPosition(this, bind(RecLength), bind(TrigPosition));
        add(m_slider);
    }

    for (EParam p : {RecState, SecondState}) {
        if (m_names[p].isEmpty())
            continue;
        auto* graph = new CKobraRecGraph(this, bind(p));
        m_graphs.append(graph);
        add(graph);
    }

    VGXAdjustSizes buttons;
    VGXPanel* runRow = rowPanel(this, VGXFlowLayout::LeftToRight);
    m_record = new VGXButtonParameter(runRow, QStringLiteral("Record"), bind(Record));
    m_abort = new VGXButtonParameter(runRow, QStringLiteral("Discard Data"), bind(Abort));
    runRow->add(m_record, 0);
    runRow->add(m_abort, 0);
    runRow->add(new QWidget(runRow), 1);
    add(runRow);

    VGXPanel* fileRow = rowPanel(this, VGXFlowLayout::LeftToRight);
    m_save = new VGXButtonParameter(fileRow, QStringLiteral("Save"), bind(Save));
    fileRow->add(m_save, 0);
    m_fileButton = userButton(fileRow, QStringLiteral("File ..."), UserFile);
    m_path = new VGXLabel(fileRow, bind(File));
    m_path->label()->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fileRow->add(m_path, 1);
    add(fileRow);

    VGXPanel* toolRow = rowPanel(this, VGXFlowLayout::LeftToRight);
    m_viewButton = userButton(toolRow, QStringLiteral("View"), UserView);
    m_viewButton->setEnabled(false);
    if (!toolText.isEmpty()) {
        m_toolButton = new QPushButton(toolText, toolRow);
        const QString program = m_toolProgram.isEmpty() ? m_pellorPath : m_toolProgram;
        m_toolButton->setEnabled(QFileInfo::exists(program));
        connect(m_toolButton, &QPushButton::clicked, this, [this, program] { startViewer(program); });
        toolRow->add(m_toolButton, 0);
    }
    toolRow->add(new QWidget(toolRow), 1);
    add(toolRow);
    // Height the dialog has to spare goes below the rows, not between them.
    addStretch();

    for (QWidget* b : {static_cast<QWidget*>(m_record->button()), static_cast<QWidget*>(m_abort->button()),
                       static_cast<QWidget*>(m_save->button()), static_cast<QWidget*>(m_fileButton),
                       static_cast<QWidget*>(m_viewButton), static_cast<QWidget*>(m_toolButton)})
        if (b)
            buttons.add(b);
    buttons.doAdjustment();
    // The LED stands in the sample rate's label column.
    const int labelWidth = columns.doAdjustment();
    m_rate->setLabelWidth(labelWidth - led->sizeHint().width() - rateRow->panelLayout()->spacing());

    // The data source has rules of its own (enabled only when idle); these lock with the state. The
    // file stays free: it is chosen for a recording that is done.
    for (QWidget* w : {static_cast<QWidget*>(length), static_cast<QWidget*>(trigSource),
                       static_cast<QWidget*>(position), static_cast<QWidget*>(m_slider)})
        if (w)
            addLockedControl(w);
    for (const QByteArray& name : locked)
        for (VGXParameterControl* c : findChildren<VGXParameterControl*>())
            if (c->binding().name() == name)
                addLockedControl(c);

    m_state = VGXDataObject::connectDatabase(this, bind(RecState));
    m_file = VGXDataObject::connectDatabase(this, bind(File));
    applyState(m_state->getIntegerData());
    applyFile(m_file->getStringData());
}

CKobraRecSettings::~CKobraRecSettings() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
    VGXUserDbAttributes::setCurrentInstance(m_savedInstance);
    VGXUserDbAttributes::setCurrentDirection(m_savedDirection);
    VGXUserDbAttributes::setCurrentChannel(m_savedChannel);
}

VGXPanel* CKobraRecSettings::create(const VGXPanelClasses::SArgs& a) {
    int instance = a.instance, direction = a.direction, channel = a.channel;
    return new CKobraRecSettings(a.parent, a.dialogName, instance, direction, channel, a.parameters, a.flag,
                                 a.text1, a.text2, a.selectionTexts, a.selectionValues, a.furtherParameters);
}

QStringList CKobraRecSettings::unitTexts(EParam p) const {
    const auto* d =
        dynamic_cast<const VGXDescriptorComboboxEntry*>(VGXDescriptors::find(m_names[p].constData()));
    return d && !m_names[p].isEmpty() ? d->texts() : QStringList{QStringLiteral("Samples")};
}

VGXUserDbAttributes CKobraRecSettings::bind(EParam p) const {
    return VGXUserDbAttributes(m_names[p].constData(), m_instance, m_channel, m_direction, 0);
}

void CKobraRecSettings::registerDescriptors(const QStringList& sourceTexts, const QList<int>& sourceValues) {
    auto has = [this](EParam p) { return !m_names[p].isEmpty(); };
    auto selection = [&](EParam p, const QStringList& texts, const QList<int>& values = {}) {
        if (has(p))
            VGXDescriptors::addDescriptor(new VGXDescriptorComboboxEntry(
                VGXUserDbAttributes(m_names[p].constData()), true, texts, values));
    };
    if (sourceTexts.isEmpty())
        selection(DataSource, {QStringLiteral("signal_1")});
    else
        selection(DataSource, sourceTexts, sourceValues);
    selection(TrigSource, {QStringLiteral("Software"), QStringLiteral("External Trigger 1"),
                           QStringLiteral("External Trigger 2"), QStringLiteral("External Trigger 3"),
                           QStringLiteral("Tx Hyper Frame"), QStringLiteral("Tx Node B Frame"),
                           QStringLiteral("Rx Hyper Frame"), QStringLiteral("Rx Node B Frame"),
                           QStringLiteral("Sync Pattern")});
    const QStringList states = {QStringLiteral("Idle"),      QStringLiteral("Free Run"),
                                QStringLiteral("Ready"),     QStringLiteral("Wait For Trigger"),
                                QStringLiteral("Triggered"), QStringLiteral("Done")};
    selection(RecState, states);
    selection(SecondState, states);
    selection(LengthUnit, {QStringLiteral("Samples")});
    selection(TrigUnit, {QStringLiteral("Samples")});
    for (EParam p : {RecTime, SerialList})
        if (has(p))
            VGXDescriptors::addDescriptor(
                new VGXDescriptorTextEntry(VGXUserDbAttributes(m_names[p].constData()), true));
    if (has(SampleRate))
        VGXDescriptors::addDescriptor(new VGXDescriptorNumberEntry(
            VGXUserDbAttributes(m_names[SampleRate].constData()), true, 3, QStringLiteral("Hz")));
    if (has(RecLength))
        VGXDescriptors::addDescriptor(
            new VGXDescriptorNumberEntry(VGXUserDbAttributes(m_names[RecLength].constData()), true, 0));
    for (EParam p : {Record, Abort, Save})
        if (has(p))
            VGXDescriptors::addDescriptor(
                new VGXDescriptorCheckboxEntry(VGXUserDbAttributes(m_names[p].constData()), true,
                                               QStringLiteral("Off"), QStringLiteral("On")));
    if (has(File))
        VGXDescriptors::addDescriptor(
            new VGXDescriptorStringEntry(VGXUserDbAttributes(m_names[File].constData()), true));
}

void CKobraRecSettings::hideSampleRate() {
    m_time->setVisible(false);
    m_rate->setVisible(false);
    m_led->setVisible(false);
    m_sourceFixed = true;
    m_source->setEnabled(false);
}

void CKobraRecSettings::addLockedControl(QWidget* control) {
    if (control && !m_locked.contains(control))
        m_locked.append(control);
}

QPushButton* CKobraRecSettings::recordButton() const {
    return m_record->button();
}
QPushButton* CKobraRecSettings::abortButton() const {
    return m_abort->button();
}
QPushButton* CKobraRecSettings::saveButton() const {
    return m_save->button();
}
QWidget* CKobraRecSettings::sampleRateRow() const {
    return m_rate;
}
QWidget* CKobraRecSettings::recordingTimeRow() const {
    return m_time;
}

void CKobraRecSettings::applyState(int s) {
    m_save->setReadOnly(s != Done);
    for (const QPointer<QWidget>& w : m_locked) {
        if (!w)
            continue;
        if (auto* viewer = qobject_cast<MvGuiFramework::CViewer*>(w.data()))
            viewer->setReadOnly(s != Idle);
        else
            w->setEnabled(s == Idle);
    }
    m_source->setEnabled(s == Idle && !m_sourceFixed);
    m_abort->button()->setText(s == Done ? QStringLiteral("Discard Data") : QStringLiteral("Abort"));
    m_abort->setReadOnly(s == Idle);
    m_record->setReadOnly(s != Idle);
    m_led->setStyleSheet(s == Idle || s == Done ? QString() : QStringLiteral("color: #2a2;"));
}

void CKobraRecSettings::applyFile(const QString& file) {
    if (file.isEmpty() || !QFileInfo::exists(file))
        return;
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("drf3") || suffix == QLatin1String("drf4")) {
        m_viewButton->setEnabled(QFileInfo::exists(m_pellorPath));
        return;
    }
    const bool exists = QFileInfo::exists(m_toolboxPath);
    Kobra::debugPrint(Kobra::kDebugTrace,
                      QStringLiteral("m_toolboxPath=%1. Exists:%2").arg(m_toolboxPath).arg(exists ? 1 : 0));
    m_viewButton->setEnabled(exists);
}

void CKobraRecSettings::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() != VGXDataEvent::DataChanged)
        return;
    if (event->getSourceEntry() == m_state)
        applyState(m_state->getIntegerData());
    else if (event->getSourceEntry() == m_file)
        applyFile(m_file->getStringData());
}

void CKobraRecSettings::openFileDialog() {
    const QString number = QString::number(m_instance + 1);
    VGXFileDialog* files = VGXFileDialog::dialogFor(m_dialogName);
    files->setTitles(QStringLiteral("KOBRA %1: REC File ").arg(number),
                     QStringLiteral("KOBRA %1\n REC File ").arg(number));
    files->setPaths(m_file->getStringData(), getMyDocumentsPath() + QStringLiteral("/RecorderWaveForms"));
    files->setOperationMode(VGXUserFileDialog::SaveFile, bind(File));
    files->setFileType(kRecorderFileType, m_filter, m_filterPattern);
    files->setSizeInButtons(kSizeInButtons);
    files->toFront();
}

void CKobraRecSettings::startViewer(const QString& program) {
    QProcess::startDetached(program, {m_file->getStringData()});
}

void CKobraRecSettings::processUserEvent(CViewerEvent* event) {
    if (event->getCode() == UserFile) {
        openFileDialog();
        event->consume();
    } else if (event->getCode() == UserView) {
        startViewer(m_toolboxPath);
        event->consume();
    }
}

} // namespace MvQARN
