#pragma once
// A viewer with tabs, one page viewer each. Pages can be taken out and put back at an index; a
// removed page stays alive (owned by the tab viewer, hidden) so it can come back unchanged.
//
// Style slots give parts of the viewer their own look, each with a style (a font of
// VGXStyleManager, by name) and a palette:
//   -1  the whole viewer             1  the tab bar
//    2  the pages                    3  the tabs not selected
//    4  the selected tab (its window colour is the tab's face)
#include <QPalette>
#include <QString>
#include <memory>

#include "host/gui/CViewer.h"

class QTabWidget;

namespace MvQARN {

class VGXTabBar;

class VGX_EXPORT VGXTabViewer : public MvGuiFramework::CViewer {
    Q_OBJECT
public:
    enum ESlot {
        SlotViewer = -1,
        SlotTabBar = 1,
        SlotPages = 2,
        SlotTab = 3,
        SlotSelectedTab = 4,
    };

    explicit VGXTabViewer(QWidget* parent = nullptr);
    ~VGXTabViewer() override;

    // Adds the page with its title at the index (at the end for -1 or an index past the end);
    // answers the index it got. A page already shown is moved.
    int addTab(QWidget* page, const QString& title, int index = -1);
    // Takes the tab at the index out; answers its page (still owned by the viewer), null for a bad
    // index.
    QWidget* removeTab(int index);
    // Takes the page's tab out; false when the page has no tab.
    bool removeTab(QWidget* page);

    int count() const;
    int indexOf(QWidget* page) const;
    QWidget* page(int index) const;
    QString tabTitle(int index) const;
    QStringList tabTitles() const;
    int currentIndex() const;
    void setCurrentIndex(int index);

    // Style and palette of a slot (ESlot); unknown slots are ignored.
    void setSlotStyle(int slot, const QString& styleName);
    void setSlotPalette(int slot, const QPalette& palette);
    QString slotStyle(int slot) const;
    QPalette slotPalette(int slot) const;

    QTabWidget* tabWidget() const { return m_tabs; }

signals:
    void currentChanged(int index);

private:
    struct SlotLooks;
    static bool validSlot(int slot);
    void applyPageLook(QWidget* page);
    void applyTabLook(int slot);

    QTabWidget* m_tabs;
    VGXTabBar* m_bar;
    std::unique_ptr<SlotLooks> m_looks;
};

} // namespace MvQARN
