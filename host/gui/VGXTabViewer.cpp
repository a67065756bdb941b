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

void VGXTabBar::setTabLook(const QPalette& palette, const QFont& font, bool hasPalette, bool hasFont) {
    m_tabPalette = palette;
    m_tabFont = font;
    m_hasTabPalette = hasPalette;
    m_hasTabFont = hasFont;
    updateGeometry();
    update();
}

void VGXTabBar::setSelectedTabLook(const QPalette& palette, const QFont& font, bool hasPalette,
                                   bool hasFont) {
    m_selectedPalette = palette;
    m_selectedFont = font;
    m_hasSelectedPalette = hasPalette;
    m_hasSelectedFont = hasFont;
    updateGeometry();
    update();
}

QFont VGXTabBar::fontOf(int index) const {
    if (index == currentIndex() && m_hasSelectedFont)
        return m_selectedFont;
    return m_hasTabFont ? m_tabFont : font();
}

void VGXTabBar::initStyleOption(QStyleOptionTab* option, int tabIndex) const {
    QTabBar::initStyleOption(option, tabIndex);
    const bool selected = tabIndex == currentIndex();
    if (selected && m_hasSelectedPalette)
        option->palette = m_selectedPalette;
    else if (!selected && m_hasTabPalette)
        option->palette = m_tabPalette;
}

QSize VGXTabBar::tabSizeHint(int index) const {
    QSize s = QTabBar::tabSizeHint(index);
    // Room for the widest of the fonts the tab may be drawn with.
    const QString text = tabText(index);
    const int plain = fontMetrics().horizontalAdvance(text);
    int widest = plain;
    if (m_hasTabFont)
        widest = qMax(widest, QFontMetrics(m_tabFont).horizontalAdvance(text));
    if (m_hasSelectedFont)
        widest = qMax(widest, QFontMetrics(m_selectedFont).horizontalAdvance(text));
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
    page->show();
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
    const QFont font = VGXStyleManager::font(styleName);
    const bool known = VGXStyleManager::hasFont(styleName);
    switch (slot) {
    case SlotViewer:
        if (known)
            setFont(font);
        break;
    case SlotTabBar:
        if (known)
            m_bar->setFont(font);
        break;
    case SlotPages:
        for (int i = 0; i < m_tabs->count(); ++i)
            applyPageLook(m_tabs->widget(i));
        break;
    case SlotTab:
        m_bar->setTabLook(slotPalette(SlotTab), font, m_looks->bySlot[SlotTab].hasPalette, known);
        break;
    case SlotSelectedTab:
        m_bar->setSelectedTabLook(slotPalette(SlotSelectedTab), font,
                                  m_looks->bySlot[SlotSelectedTab].hasPalette, known);
        break;
    }
}

void VGXTabViewer::setSlotPalette(int slot, const QPalette& palette) {
    if (!validSlot(slot))
        return;
    SlotLook& look = m_looks->bySlot[slot];
    look.palette = palette;
    look.hasPalette = true;
    const bool hasFont = VGXStyleManager::hasFont(look.style);
    const QFont font = VGXStyleManager::font(look.style);
    switch (slot) {
    case SlotViewer:
        setPalette(palette);
        break;
    case SlotTabBar:
        m_bar->setPalette(palette);
        m_bar->setAutoFillBackground(true);
        break;
    case SlotPages:
        for (int i = 0; i < m_tabs->count(); ++i)
            applyPageLook(m_tabs->widget(i));
        break;
    case SlotTab:
        m_bar->setTabLook(palette, font, true, hasFont);
        break;
    case SlotSelectedTab:
        m_bar->setSelectedTabLook(palette, font, true, hasFont);
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
