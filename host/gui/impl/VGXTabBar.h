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

    // The look of the unselected tabs or of the selected one; what it does not have is the bar's own.
    void setLook(bool selected, const QPalette& palette, const QFont& font, bool hasPalette, bool hasFont);

protected:
    void initStyleOption(QStyleOptionTab* option, int tabIndex) const override;
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    QFont fontOf(int index) const;

    struct Look {
        QPalette palette;
        QFont font;
        bool hasPalette = false;
        bool hasFont = false;
    };
    Look m_looks[2]; // unselected tabs, selected tab
};

} // namespace MvQARN
