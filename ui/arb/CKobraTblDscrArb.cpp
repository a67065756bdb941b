#include "ui/arb/CKobraTblDscrArb.h"

#include <QFileInfo>
#include <QFontMetrics>

#include "frame/KobraPluginGlobals.h"
#include "frame/OrvaneSettings.h"
#include "host/gui/VGXConst.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXDescriptorCheckboxEntry.h"
#include "host/gui/VGXDescriptorNumberEntry.h"
#include "host/gui/VGXDescriptorTextEntry.h"
#include "host/gui/VGXUserFileDialog.h"
#include "host/listadm/WaveformFile.h"
#include "host/util/VGXUtility.h"

namespace MvQARN {

namespace {

// Attribute words of the cells: a selector that opens a dialog, read-only text, a check box.
constexpr int kAttrSelector = 16;
constexpr int kAttrReadOnlyText = 176;
constexpr int kAttrCheckbox = 32;

// Why a chosen file cannot be an ARB waveform; empty when its tag section is sound and the file
// holds the samples it declares. Only the tags are read, so a file of any size answers at once.
QString waveformFault(const QString& path) {
    WaveformFile::STagScan scan;
    const QString name = QFileInfo(path).fileName();
    if (!QFileInfo::exists(path))
        return QStringLiteral("%1 does not exist").arg(name);
    if (!WaveformFile::scanTags(path, scan))
        return QStringLiteral("%1 is no valid waveform file: %2")
            .arg(name, scan.error.isEmpty() ? QStringLiteral("it cannot be read") : scan.error);
    if (!scan.hasData)
        return QStringLiteral("%1 is no valid waveform file: it holds no waveform data").arg(name);
    if (QFileInfo(path).size() < scan.dataOffset + scan.dataBytes)
        return QStringLiteral("%1 is no valid waveform file: it ends before its waveform data").arg(name);
    return QString();
}

} // namespace

CKobraTblDscrArb::CKobraTblDscrArb(const QString& name, const SKobraArbNames& names, QWidget* dialogParent)
    : m_name(name), m_names(names), m_dialogParent(dialogParent),
      m_lastFolder(getMyDocumentsPath() + QStringLiteral("/ARBWaveForms")) {
    m_instance = VGXUserDbAttributes::currentInstance();
    m_direction = VGXUserDbAttributes::currentDirection();
    for (int c = 0; c < ColCount; ++c) {
        const char* p = parameterOf(c);
        if (!p)
            continue;
        const VGXUserDbAttributes column(p);
        switch (c) {
        case ColFile:
            m_columns[c] = std::make_unique<VGXDescriptorTextEntry>(column, true);
            break;
        case ColState:
            m_columns[c] = std::make_unique<VGXDescriptorCheckboxEntry>(column, true, QStringLiteral("Off"),
                                                                        QStringLiteral("On"));
            break;
        default:
            m_columns[c] = std::make_unique<VGXDescriptorNumberEntry>(column, true,
                                                                      c == ColSampleRate ? 3
                                                                      : c == ColSamples  ? 0
                                                                                         : 2);
            break;
        }
        for (int r = 0; r < RowCount; ++r)
            m_rows[r].cnct[c] =
                VGXDataObject::connectDatabase(this, VGXUserDbAttributes(p, m_instance, r, m_direction, 0));
    }
}

CKobraTblDscrArb::~CKobraTblDscrArb() {
    VGXDataObject::disconnectDatabase(static_cast<VGXDataListener*>(this));
}

const char* CKobraTblDscrArb::parameterOf(int column) const {
    switch (column) {
    case ColFile:
        return m_names.file;
    case ColSampleRate:
        return m_names.sampleRate;
    case ColSamples:
        return m_names.samples;
    case ColLevel:
        return m_names.rms;
    case ColPep:
        return m_names.pep;
    case ColState:
        return m_names.state;
    default:
        return nullptr;
    }
}

const VGXDescriptorEntry* CKobraTblDscrArb::columnDescriptor(int column) const {
    return column >= 0 && column < ColCount ? m_columns[column].get() : nullptr;
}

VGXDatabaseConnectorEntry* CKobraTblDscrArb::connector(int row, int column) const {
    if (row < 0 || row >= RowCount || column < 0 || column >= ColCount)
        return nullptr;
    return m_rows[row].cnct[column];
}

double CKobraTblDscrArb::number(int row, int column) const {
    VGXDatabaseConnectorEntry* c = connector(row, column);
    return c && c->hasData() ? c->getDoubleData() : 0.0;
}

QString CKobraTblDscrArb::headerText(int column) const {
    static const char* const headers[ColCount] = {"File",        "Sample Rate\n /MHz", "Samples",
                                                  "Level\ndBFS", "PEP\ndBFS",          "State"};
    if (column < 0 || column >= ColCount)
        return QStringLiteral("col out of range");
    return QString::fromLatin1(headers[column]);
}

QString CKobraTblDscrArb::widthTemplate(int column) const {
    static const int widths[ColCount] = {28, 9, 9, 4, 4, 4};
    if (column < 0 || column >= ColCount)
        return QStringLiteral("col out of range");
    return QString(widths[column], QLatin1Char('X'));
}

QString CKobraTblDscrArb::rowHeader(int row) const {
    if (row < 0 || row >= RowCount)
        return QStringLiteral("row out of range");
    return QStringLiteral("ARB %1").arg(row + 1);
}

QString CKobraTblDscrArb::rowHeaderTemplate() const {
    return QStringLiteral("ARB 4");
}

QString CKobraTblDscrArb::cellText(int row, int column) const {
    if (row < 0 || row >= RowCount)
        return QStringLiteral("row out of range");
    switch (column) {
    case ColFile: {
        VGXDatabaseConnectorEntry* c = connector(row, column);
        QString text = c && c->hasData() ? c->getStringData() : QString();
        if (text.isEmpty())
            text = QStringLiteral("None");
        return m_fileWidth > 0 ? elideStart(text, m_fileFont, m_fileWidth) : text;
    }
    case ColSampleRate:
        return QString::number(number(row, column) * 1e-6, 'f', 3);
    case ColSamples:
        return QString::number(number(row, column), 'f', 0);
    case ColLevel:
        return QString::number(number(row, ColPep) - number(row, ColLevel), 'f', 2);
    case ColPep:
        return QString::number(number(row, column), 'f', 2);
    case ColState:
        return cellState(row, column) > 0 ? QStringLiteral("On") : QStringLiteral("Off");
    default:
        return QStringLiteral("col out of range");
    }
}

int CKobraTblDscrArb::cellKind(int, int column, int& attributes) const {
    switch (column) {
    case ColFile:
        attributes = kAttrSelector;
        return CellSelector;
    case ColState:
        attributes = kAttrCheckbox;
        return CellCheckbox;
    default:
        attributes = kAttrReadOnlyText;
        return CellText;
    }
}

int CKobraTblDscrArb::cellState(int row, int column) const {
    VGXDatabaseConnectorEntry* c = connector(row, column);
    if (column != ColState || !c || !c->hasData())
        return -1;
    return c->getIntegerData();
}

void CKobraTblDscrArb::setCellText(int row, int column, const QString& text) {
    if (VGXDatabaseConnectorEntry* c = column == ColFile ? connector(row, column) : nullptr)
        c->setData(new VGXDataContainer(text));
}

void CKobraTblDscrArb::setCellState(int row, int column, int state) {
    if (VGXDatabaseConnectorEntry* c = column == ColState ? connector(row, column) : nullptr)
        c->setData(new VGXDataContainer(state != 0 ? 1 : 0));
}

void CKobraTblDscrArb::activateCell(int row, int column) {
    if (column != ColFile || row < 0 || row >= RowCount || !m_names.file)
        return;
    VGXUserFileDialog dialog(m_dialogParent,
                             VGXUtility::buildString("KOBRA ", m_name, ": ARB File ", row + 1),
                             VGXUtility::buildString("KOBRA ", m_name, "\n ARB File ", row + 1));
    VGXDatabaseConnectorEntry* c = connector(row, column);
    const QString current = c && c->hasData() ? c->getStringData() : QString();
    dialog.setStartPath(!current.isEmpty() && QFileInfo(current).isFile() ? QFileInfo(current).absolutePath()
                                                                          : m_lastFolder);
    dialog.setPathCheck(&waveformFault);
    // The dialog binds to the current instance: ours, whatever other panels set meanwhile.
    VGXUserDbAttributes::setCurrentInstance(m_instance);
    VGXUserDbAttributes::setCurrentDirection(m_direction);
    const QString path = dialog.exec(VGXUserFileDialog::OpenFile, Kobra::g_fileTypes[Kobra::FileTypeArbWave],
                                     "IdPDbKobraArbCatName", m_names.file, row);
    if (!path.isEmpty())
        m_lastFolder = QFileInfo(path).absolutePath();
}

void CKobraTblDscrArb::contextHelp(int column) {
    if (const char* p = parameterOf(column))
        VGXConst::setContextSensitiveHelp(column == ColLevel && m_names.pep ? m_names.pep : p);
}

void CKobraTblDscrArb::processDataEvent(VGXDataEvent* event) {
    if (event->getCode() != VGXDataEvent::DataChanged)
        return;
    for (int r = 0; r < RowCount; ++r) {
        for (int c = 0; c < ColCount; ++c) {
            if (m_rows[r].cnct[c] != event->getSourceEntry())
                continue;
            redrawCell(r, c);
            // The level is PEP minus RMS, so it follows the PEP as well.
            if (c == ColPep)
                redrawCell(r, ColLevel);
            return;
        }
    }
}

void CKobraTblDscrArb::setFileCellGeometry(const QFont& font, int width) {
    m_fileFont = font;
    m_fileWidth = width;
}

QString CKobraTblDscrArb::elideStart(const QString& text, const QFont& font, int width) {
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    QString out = dots + text;
    while (out.size() > dots.size() && metrics.horizontalAdvance(out) >= width - 2)
        out.remove(dots.size(), 1);
    return out;
}

} // namespace MvQARN
