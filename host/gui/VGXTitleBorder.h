#pragma once
// A group frame with a title in its top edge, drawn in the style of the host (Fusion group box).
#include <QString>

#include "host/gui/VGXBorder.h"

namespace MvQARN {

class VGX_EXPORT VGXTitleBorder : public VGXBorder {
public:
    explicit VGXTitleBorder(const QString& title);
    ~VGXTitleBorder() override;

    QMargins margins(const QWidget* on) const override;
    void paint(QPainter& painter, const QWidget* on) const override;
    QString title() const override { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

private:
    QString m_title;
};

} // namespace MvQARN
