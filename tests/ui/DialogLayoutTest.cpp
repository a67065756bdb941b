// Every plug-in dialog as a user first sees it (offscreen, at its first-open size): texts shown whole,
// controls inside the dialog's margin and not stretched, chart titles and scales not cut to "...", the rows
// of one group lined up behind their labels.
#include <QAbstractButton>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "host/gui/VGXDialog.h"
#include "ui/GuiTest.h"

using namespace MvQARN;
using testsupport::tup;

namespace {

// What looks wrong in a laid-out dialog, one line per defect.
QStringList defectsOf(QWidget* dialog) {
    QStringList out;
    // Nothing outside the dialog, nor flush against its edge.
    const QRect inside = dialog->rect().adjusted(3, 3, -3, -3);
    const auto name = [](const QWidget* w) {
        return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()),
                                             w->objectName());
    };
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow()) // a page not shown is laid out when it opens
            continue;
        if (!inside.contains(QRect(w->mapTo(dialog, QPoint()), w->size())))
            out << name(w) + QStringLiteral(" reaches the dialog's edge");
        auto* label = qobject_cast<QLabel*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        const QString text = label ? label->text() : button ? button->text() : QString();
        if (!text.isEmpty() && !(label && label->wordWrap()) && w->width() < w->sizeHint().width())
            out << QStringLiteral("'%1' cut").arg(text);
        // A one-line field grown as tall as a text box when its dialog has height to spare.
        const bool oneLine = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             (label && label->frameShape() != QFrame::NoFrame && !label->wordWrap());
        if (oneLine && w->height() > 2 * w->sizeHint().height())
            out << name(w) + QStringLiteral(" stretched to %1 px").arg(w->height());
    }
    // Rows of one group that start with a label put what follows it at one x.
    for (QWidget* group : dialog->findChildren<QWidget*>()) {
        QMap<int, QString> starts; // x after the label -> the first label seen there
        for (QWidget* row : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!row->isVisible() || qobject_cast<QLabel*>(row))
                continue;
            const QList<QLabel*> labels = row->findChildren<QLabel*>();
            QLabel* lead = labels.isEmpty() ? nullptr : labels.first();
            if (!lead || !lead->isVisible() || lead->text().isEmpty() ||
                lead->mapTo(row, QPoint()).x() != 0 || lead->width() > row->width() / 2)
                continue;
            starts.insert(lead->width(), lead->text());
        }
        if (starts.size() > 1)
            out << QStringLiteral("rows not aligned: ") +
                       QStringList(starts.values()).join(QStringLiteral(", "));
    }
    for (QChartView* view : dialog->findChildren<QChartView*>()) {
        if (!view->isVisible())
            continue;
        for (QGraphicsItem* item : view->scene()->items()) {
            QString text;
            if (auto* t = dynamic_cast<QGraphicsTextItem*>(item))
                text = t->toPlainText();
            else if (auto* s = dynamic_cast<QGraphicsSimpleTextItem*>(item))
                text = s->text();
            if (item->isVisible() && text.endsWith(QStringLiteral("...")))
                out << QStringLiteral("chart text '%1' cut").arg(text);
        }
    }
    return out;
}

// Where each one-line field sits below the top of the group around its row.
QMap<QWidget*, int> fieldRows(QWidget* dialog) {
    QMap<QWidget*, int> out;
    for (QWidget* w : dialog->findChildren<QWidget*>())
        if ((qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
             qobject_cast<QAbstractButton*>(w)) &&
            w->isVisible() && w->parentWidget()->parentWidget())
            out.insert(w, w->mapTo(w->parentWidget()->parentWidget(), QPoint()).y());
    return out;
}

void settle() {
    for (int i = 0; i < 6; ++i)
        QApplication::processEvents();
}

class DialogLayout : public uitest::GuiTest {};

} // namespace

TEST_F(DialogLayout, EveryDialogShowsItsTextsWholeInsideItself) {
    setSerials({100123, 100456});
    unlockService();
    setInt("IdPDbKobraSelected", tup(0, 0), 1);
    struct Case {
        const char* cls;
        int instance, direction;
        const char* qualifier;
    };
    const Case cases[] = {
        {"CKobraDlgMain", 0, 0, ":KOBRA"},
        {"CKobraDlgDeviceManager", 0, 0, ":KOBRA_DEVICE"},
        {"CKobraDlgTranRecChannel0", 0, 0, ":KOBRA_TRANREC0"},
        {"CBasebandLynxMainInOutDialog", 0, 0, ":KOBRA_USER"},
        {"CBasebandLynxMainOutDialog", 0, 1, ""},
        {"CBasebandLynxClockDialog", 0, 1, ""},
        {"CBasebandLynxDataDialog", 0, 0, ""},
        {"CBasebandLynxSpiDialog", 0, 1, ""},
        {"CBasebandLynxTestDialog", 0, 1, ""},
    };
    for (const Case& c : cases) {
        auto dlg = open<VGXDialog>(c.cls, c.instance, c.direction, QString::fromLatin1(c.qualifier));
        ASSERT_NE(dlg, nullptr) << c.cls;
        settle();
        // Each page of a tabbed dialog, and the recorder's graph in each of its views.
        QList<QTabWidget*> tabs = dlg->findChildren<QTabWidget*>();
        const int pages = tabs.isEmpty() ? 1 : tabs.first()->count();
        const bool recorder = QByteArray(c.cls).startsWith("CKobraDlgTranRec");
        for (int view = 0; view < (recorder ? 4 : 1); ++view) {
            if (recorder) {
                setInt("IdPDbKobraTranRecDisplayType", tup(0, 0, 0, 0), view);
                settle();
            }
            for (int page = 0; page < pages; ++page) {
                if (!tabs.isEmpty())
                    tabs.first()->setCurrentIndex(page);
                settle();
                EXPECT_EQ(defectsOf(dlg.get()), QStringList())
                    << c.cls << " page " << page << " view " << view;
            }
        }
        // Made larger, the dialog gives the room to its graphs, its pages and below its groups, not
        // between the rows of a group.
        const QMap<QWidget*, int> before = fieldRows(dlg.get());
        const int tabsHeight = tabs.isEmpty() ? 0 : tabs.first()->height();
        const int grow = dlg->height() / 2;
        dlg->resize(dlg->width() * 3 / 2, dlg->height() + grow);
        settle();
        EXPECT_EQ(fieldRows(dlg.get()), before) << c.cls << " made larger";
        if (!tabs.isEmpty()) {
            EXPECT_EQ(tabs.first()->height(), tabsHeight + grow) << c.cls << " made larger";
        }
    }
}
