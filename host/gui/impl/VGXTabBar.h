#pragma once
// The tab bar of VGXTabViewer: tabs drawn with the palette and font of their slot, the selected
// tab with those of the selected-tab slot.
#include <QFont>
#include <QPalette>
#include <QTabBar>

namespace MvQARN {

class VGXTabBar : public QTabBar {
    Q_OBJECT
public:
    explicit VGXTabBar(QWidget* parent);

    void setTabLook(const QPalette& palette, const QFont& font, bool hasPalette, bool hasFont);
    void setSelectedTabLook(const QPalette& palette, const QFont& font, bool hasPalette, bool hasFont);

protected:
    void initStyleOption(QStyleOptionTab* option, int tabIndex) const override;
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    QFont fontOf(int index) const;

    QPalette m_tabPalette;
    QPalette m_selectedPalette;
    QFont m_tabFont;
    QFont m_selectedFont;
    bool m_hasTabPalette = false;
    bool m_hasSelectedPalette = false;
    bool m_hasTabFont = false;
    bool m_hasSelectedFont = false;
};

} // namespace MvQARN
