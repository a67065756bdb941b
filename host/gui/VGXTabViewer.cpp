#include "host/gui/VGXTabViewer.h"

#include <QMap>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "host/gui/VGXStyleManager.h"
#include "host/gui/impl/VGXTabBar.h"

namespace MvQARN {

namespace {

// The tab widget of a tab viewer, with our tab bar.
class VGXTabWidget : public QTabWidget {
public:
    VGXTabWidget(QWidget* parent, VGXTabBar* bar) : QTabWidget(parent) { setTabBar(bar); }
};

struct SlotLook {
    QString style;
    QPalette palette;
    bool hasPalette = false;
};

} // namespace

struct VGXTabViewer::SlotLooks {
    QMap<int, SlotLook> bySlot;
};

// ---------------------------------------------------------------------------------------------

VGXTabBar::VGXTabBar(QWidget* parent) : QTabBar(parent) {}

void VGXTabBar::setLook(bool selected, const QPalette& palette, const QFont& font, bool hasPalette,
                        bool hasFont) {
    m_looks[selected ? 1 : 0] = Look{palette, font, hasPalette, hasFont};
    updateGeometry();
    update();
}

QFont VGXTabBar::fontOf(int index) const {
    if (index == currentIndex() && m_looks[1].hasFont)
        return m_looks[1].font;
    return m_looks[0].hasFont ? m_looks[0].font : font();
}

void VGXTabBar::initStyleOption(QStyleOptionTab* option, int tabIndex) const {
    QTabBar::initStyleOption(option, tabIndex);
    const Look& look = m_looks[tabIndex == currentIndex() ? 1 : 0];
    if (look.hasPalette)
        option->palette = look.palette;
}

QSize VGXTabBar::tabSizeHint(int index) const {
    QSize s = QTabBar::tabSizeHint(index);
    // Room for the widest of the fonts the tab may be drawn with.
    const QString text = tabText(index);
    const int plain = fontMetrics().horizontalAdvance(text);
    int widest = plain;
    for (const Look& look : m_looks)
        if (look.hasFont)
            widest = qMax(widest, QFontMetrics(look.font).horizontalAdvance(text));
    s.rwidth() += widest - plain;
    return s;
}

void VGXTabBar::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    const int selected = currentIndex();
    // Unselected tabs first, so the selected one lies on top of its neighbours.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < count(); ++i) {
            if ((i == selected) != (pass == 1) || !isTabVisible(i))
                continue;
            QStyleOptionTab opt;
            initStyleOption(&opt, i);
            p.drawControl(QStyle::CE_TabBarTabShape, opt);
            p.setFont(fontOf(i));
            p.drawControl(QStyle::CE_TabBarTabLabel, opt);
        }
    }
}

// ---------------------------------------------------------------------------------------------

VGXTabViewer::VGXTabViewer(QWidget* parent) : CViewer(parent), m_looks(std::make_unique<SlotLooks>()) {
    m_bar = new VGXTabBar(this);
    m_tabs = new VGXTabWidget(this, m_bar);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, &VGXTabViewer::currentChanged);
}

VGXTabViewer::~VGXTabViewer() = default;

int VGXTabViewer::addTab(QWidget* page, const QString& title, int index) {
    if (!page)
        return -1;
    if (const int at = m_tabs->indexOf(page); at >= 0)
        m_tabs->removeTab(at);
    if (index < 0 || index > m_tabs->count())
        index = m_tabs->count();
    const int got = m_tabs->insertTab(index, page, title);
    applyPageLook(page);
    // Only the current page is shown: the stack places no other page, so another page shown now
    // would paint through the current one at its default size.
    page->setVisible(m_tabs->currentWidget() == page);
    return got;
}

QWidget* VGXTabViewer::removeTab(int index) {
    QWidget* page = m_tabs->widget(index);
    if (!page)
        return nullptr;
    m_tabs->removeTab(index);
    // Kept, hidden, for a later addTab.
    page->hide();
    page->setParent(this);
    page->hide();
    return page;
}

bool VGXTabViewer::removeTab(QWidget* page) {
    const int index = m_tabs->indexOf(page);
    return index >= 0 && removeTab(index) != nullptr;
}

int VGXTabViewer::count() const {
    return m_tabs->count();
}

int VGXTabViewer::indexOf(QWidget* page) const {
    return m_tabs->indexOf(page);
}

QWidget* VGXTabViewer::page(int index) const {
    return m_tabs->widget(index);
}

QString VGXTabViewer::tabTitle(int index) const {
    return m_tabs->tabText(index);
}

QStringList VGXTabViewer::tabTitles() const {
    QStringList out;
    for (int i = 0; i < m_tabs->count(); ++i)
        out << m_tabs->tabText(i);
    return out;
}

int VGXTabViewer::currentIndex() const {
    return m_tabs->currentIndex();
}

void VGXTabViewer::setCurrentIndex(int index) {
    m_tabs->setCurrentIndex(index);
}

bool VGXTabViewer::validSlot(int slot) {
    return slot == SlotViewer || (slot >= SlotTabBar && slot <= SlotSelectedTab);
}

void VGXTabViewer::setSlotStyle(int slot, const QString& styleName) {
    if (!validSlot(slot))
        return;
    m_looks->bySlot[slot].style = styleName;
    const bool known = VGXStyleManager::hasFont(styleName);
    switch (slot) {
    case SlotViewer:
        if (known)
            setFont(VGXStyleManager::font(styleName));
        break;
    case SlotTabBar:
        if (known)
            m_bar->setFont(VGXStyleManager::font(styleName));
        break;
    default:
        applyTabLook(slot);
        break;
    }
}

void VGXTabViewer::setSlotPalette(int slot, const QPalette& palette) {
    if (!validSlot(slot))
        return;
    SlotLook& look = m_looks->bySlot[slot];
    look.palette = palette;
    look.hasPalette = true;
    switch (slot) {
    case SlotViewer:
        setPalette(palette);
        break;
    case SlotTabBar:
        m_bar->setPalette(palette);
        m_bar->setAutoFillBackground(true);
        break;
    default:
        applyTabLook(slot);
        break;
    }
}

// Pages and tabs take their slot's font and palette together, whichever of the two changed.
void VGXTabViewer::applyTabLook(int slot) {
    const SlotLook look = m_looks->bySlot.value(slot);
    const QFont font = VGXStyleManager::font(look.style);
    const bool hasFont = VGXStyleManager::hasFont(look.style);
    switch (slot) {
    case SlotPages:
        for (int i = 0; i < m_tabs->count(); ++i)
            applyPageLook(m_tabs->widget(i));
        break;
    case SlotTab:
    case SlotSelectedTab:
        m_bar->setLook(slot == SlotSelectedTab, slotPalette(slot), font, look.hasPalette, hasFont);
        break;
    }
}

void VGXTabViewer::applyPageLook(QWidget* page) {
    const SlotLook look = m_looks->bySlot.value(SlotPages);
    if (VGXStyleManager::hasFont(look.style))
        page->setFont(VGXStyleManager::font(look.style));
    if (look.hasPalette)
        page->setPalette(look.palette);
}

QString VGXTabViewer::slotStyle(int slot) const {
    return m_looks->bySlot.value(slot).style;
}

QPalette VGXTabViewer::slotPalette(int slot) const {
    const SlotLook look = m_looks->bySlot.value(slot);
    return look.hasPalette ? look.palette : palette();
}

} // namespace MvQARN
