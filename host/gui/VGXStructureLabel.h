#pragma once
// A strip of named fields drawn side by side, each as wide as its share of bits (a frame of "I",
// "Q" and "C&M" words). The structure is given as a whole and replaced as a whole.
#include <QColor>
#include <QList>
#include <QString>

#include "host/gui/CViewer.h"

namespace MvQARN {

class VGX_EXPORT VGXStructureLabel : public MvGuiFramework::CViewer {
    Q_OBJECT
public:
    struct Field {
        QString name;
        int width = 0; // in bits; fields of width 0 or less are not drawn
        QColor color;
    };

    explicit VGXStructureLabel(QWidget* parent = nullptr);
    ~VGXStructureLabel() override;

    void setStructure(const QList<Field>& fields);
    const QList<Field>& structure() const { return m_fields; }
    // The rectangles the fields take in the current size, in field order (drawn fields only).
    QList<QRect> fieldRects() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<Field> m_fields;
};

} // namespace MvQARN
