#include "ui/arb/CKobraTblArb.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include "host/gui/VGXTable.h"
#include "ui/arb/CKobraTblDscrArb.h"

namespace MvQARN {

CKobraTblArb::CKobraTblArb(QWidget* parent, CKobraTblDscrArb* descriptor)
    : VGXFocusPanel(parent), m_descriptor(descriptor), m_table(new VGXTable(this, descriptor)) {
    setOnlineKey("IdPDbGuiKobraArbTable");
    add(m_table);
    QTableView* view = m_table->tableView();
    // Four rows of one text line under the two-line header fit the panel's fixed height, and every
    // column is shown in full, without scroll bars.
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int width = view->verticalHeader()->width() + 2 * view->frameWidth();
    for (int c = 0; c < descriptor->columnCount(); ++c)
        width += view->columnWidth(c);
    m_table->setMinimumWidth(width);
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section) {
        if (section == CKobraTblDscrArb::ColFile)
            fileColumnResized();
    });
    fileColumnResized();
}

CKobraTblArb::~CKobraTblArb() = default;

void CKobraTblArb::fileColumnResized() {
    QTableView* view = m_table->tableView();
    // The cell draws its text inside a margin on either side.
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    m_descriptor->setFileCellGeometry(view->font(),
                                      view->columnWidth(CKobraTblDscrArb::ColFile) - 2 * margin);
    for (int r = 0; r < m_descriptor->rowCount(); ++r)
        m_descriptor->redrawCell(r, CKobraTblDscrArb::ColFile);
}

} // namespace MvQARN
