#include "recorder/CKobraGraph.h"

#include <QLabel>
#include <QVBoxLayout>

#include "host/db/CDbDataTypeNInt.h"
#include "host/gui/CSgCdPanel.h"
#include "host/gui/VGXDataContainer.h"
#include "host/gui/VGXDataEvent.h"
#include "host/gui/VGXDataObject.h"
#include "host/gui/VGXDatabaseConnectorEntry.h"
#include "host/gui/VGXStyleManager.h"
#include "recorder/CKobraPlotCcdf.h"
#include "recorder/CKobraPlotFft.h"
#include "recorder/CKobraPlotIq.h"
#include "recorder/CKobraPlotVect.h"

namespace MvQARN {

namespace {

constexpr char kState[] = "IdPDbKobraTranRecState";
constexpr char kSampRate[] = "IdPDbKobraTranRecSampRate";
constexpr char kIqData[] = "IdPDbKobraTranRecIQData";
constexpr char kDisplayType[] = "IdPDbKobraTranRecDisplayType";
constexpr char kDecFactor[] = "IdPDbKobraTranRecDecFactor";

const char kBusyMarks[] = "-\\|/-\\|/";

// The words of a block; count -1 when the value is not a block (an unreadable value).
int blockOf(const VGXDataContainer* data, const qint32*& words) {
    words = nullptr;
    if (!data || !data->hasData() || data->getType() != DbTypeNInt)
        return -1;
    const auto& values = static_cast<const CDbDataTypeNInt*>(data->getValue().get())->getValues();
    words = values.constData();
    return int(values.size());
}

} // namespace

CKobraGraph::CKobraGraph(QWidget* parent, std::function<bool()> ownerReady)
    : VGXNavigationPanel(parent), m_ownerReady(std::move(ownerReady)), m_title(new QLabel(this)) {
    // Dark around the diagrams as inside them, so the light texts read everywhere.
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(28, 32, 40));
    setPalette(pal);

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_title->setAlignment(Qt::AlignCenter);
    // A long title is cut rather than widening a small graph.
    m_title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(m_title);
    for (auto& p : m_panels) {
        p = new MvChartDisplay::CSgCdPanel(this);
        configurePanel(p);
        layout->addWidget(p, 1);
    }
    setLayout(layout);
    showPanels(None);

    m_state = VGXDataObject::connectDatabase(this, VGXUserDbAttributes(kState));
    m_rate = VGXDataObject::connectDatabase(this, VGXUserDbAttributes(kSampRate));
    m_data = VGXDataObject::connectDatabase(this, VGXUserDbAttributes(kIqData));
    m_displayType = VGXDataObject::connectDatabase(this, VGXUserDbAttributes(kDisplayType));
    m_factor = VGXDataObject::connectDatabase(this, VGXUserDbAttributes(kDecFactor));
    readCurrentValues();
}

CKobraGraph::~CKobraGraph() {
    VGXDataObject::disconnectDatabase(this);
}

void CKobraGraph::setActive(bool active) {
    m_active = active;
}

// As a thumbnail (the recorder block in the block diagram) the axis texts would leave no room for
// the curves: below this size only the curves, grids and title show.
void CKobraGraph::resizeEvent(QResizeEvent* event) {
    VGXNavigationPanel::resizeEvent(event);
    const bool compact = width() < 320 || height() < 220;
    if (compact == m_compact)
        return;
    m_compact = compact;
    // Where the title does not fit, its start (the view's name) stays readable.
    m_title->setAlignment(compact ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    for (MvChartDisplay::CSgCdPanel* p : m_panels) {
        p->setAxisLabelVisible(!compact);
        p->UpdateCDObjects();
    }
}

QString CKobraGraph::titleText() const {
    return m_title->text();
}

void CKobraGraph::configurePanel(MvChartDisplay::CSgCdPanel* p) {
    p->configureCartesian();
    p->setBackground(QStringLiteral("DiagramFillStyle"));
    p->setForeground(QStringLiteral("FontStyle"));
    p->setGridDivisionCount(QStringLiteral("GridX"), 4);
    p->setGridDivisionCount(QStringLiteral("GridY"), 4);
    p->setScaleLinear(QStringLiteral("ScaleX"), -1.0, 1.0);
    p->setScaleLinear(QStringLiteral("ScaleY"), -1.0, 1.0);
    p->createCurveLineStyle(QStringLiteral("CurveLineStyle"), Qt::yellow, 1);
    p->createCurveCartesian(QStringLiteral("Curve0"), QStringLiteral("XDataArray"),
                            QStringLiteral("YDataArray"), QStringLiteral("CurveLineStyle"));
    QFont minor = VGXStyleManager::font(QStringLiteral("FontStyle"));
    QFont major = minor;
    major.setBold(true);
    p->setLabelFont(QStringLiteral("LabelFontMajor"), major);
    p->setLabelFont(QStringLiteral("LabelFontMinor"), minor);
    p->UpdateCDObjects();
}

void CKobraGraph::showPanels(int type) {
    m_panels[0]->setVisible(type != Iq);
    m_panels[1]->setVisible(type == Iq);
    m_panels[2]->setVisible(type == Iq);
}

// A graph made while a recording runs shows the present state at once instead of waiting for the
// next change of each value.
void CKobraGraph::readCurrentValues() {
    onRate(m_rate ? m_rate->getData() : nullptr, nullptr);
    if (m_displayType && m_displayType->hasData())
        onDisplayType(m_displayType->getIntegerData());
    if (m_data)
        onBlock(m_data->getData());
}

void CKobraGraph::processDataEvent(VGXDataEvent* event) {
    if (!event || event->getCode() != VGXDataEvent::DataChanged || !event->getSourceEntry())
        return;
    // A graph shows the recorder it was made for; events of whichever instance is current now
    // belong to another recorder's graph.
    if (!(event->getTupel() == event->getSourceEntry()->getTupel()))
        return;
    const QByteArray& name = event->getSourceEntry()->getName();
    const VGXDataContainer* data = event->getEntryData();
    if (name == kIqData)
        onBlock(data);
    else if (name == kDisplayType) {
        if (data && data->hasData())
            onDisplayType(data->getIntegerData());
    } else if (name == kSampRate)
        onRate(data, nullptr);
    else if (name == kDecFactor)
        onRate(nullptr, data);
    else if (name == kState && m_view)
        m_view->setup();
}

void CKobraGraph::onBlock(const VGXDataContainer* data) {
    if (!m_active || (m_ownerReady && !m_ownerReady()))
        return;
    const qint32* words = nullptr;
    const int count = blockOf(data, words);
    if (!m_view || count < 0)
        return;
    m_view->setData(words, count);
    m_title->setText(m_view->title() + QStringLiteral("  ") + QLatin1Char(kBusyMarks[m_busy]));
    m_busy = (m_busy + 1) % 8;
}

void CKobraGraph::onDisplayType(int type) {
    if (m_view && type == m_type)
        return;
    QVector<qint32> kept;
    if (m_view) {
        kept = m_view->block();
        // One sample with every bit set (I = Q = -1, next to nothing) leaves no trace of the old block.
        const qint32 cleared = qint32(0xffffffffu);
        m_view->setData(&cleared, 1);
        m_view.reset();
    }
    showPanels(type);
    switch (type) {
    case Iq:
        m_view = std::make_unique<CKobraPlotIq>(m_panels, m_title, m_period);
        break;
    case Vector:
        m_view = std::make_unique<CKobraPlotVect>(m_panels, m_title);
        break;
    case Ccdf:
        m_view = std::make_unique<CKobraPlotCcdf>(m_panels, m_title);
        break;
    case Spectrum:
        m_view = std::make_unique<CKobraPlotFft>(m_panels, m_title, m_period);
        break;
    default:
        break;
    }
    m_type = m_view ? type : None;
    if (!m_view) {
        m_title->clear();
        return;
    }
    updateGeometry();
    update();
    m_view->setup();
    m_view->setData(kept.constData(), int(kept.size()));
}

void CKobraGraph::onRate(const VGXDataContainer* rate, const VGXDataContainer* factor) {
    // The value that did not change comes from the database.
    if (!rate && m_rate)
        rate = m_rate->getData();
    double r = rate && rate->hasData() ? rate->getDoubleData() : 1.0;
    if (!factor && m_factor)
        factor = m_factor->getData();
    if (factor && factor->hasData() && factor->getDoubleData() > 0.1)
        r /= factor->getDoubleData();
    if (!(r > 1.0))
        return;
    m_period = 1.0 / r;
    if (m_view)
        m_view->setPeriod(m_period);
}

} // namespace MvQARN
