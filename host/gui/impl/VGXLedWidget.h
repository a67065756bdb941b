#pragma once
// The lamp of a VGXLedButton: a round light (the palette's on or off colour) and the text beside it.
#include <QAbstractButton>

namespace MvQARN {

class VGXLedWidget : public QAbstractButton {
    Q_OBJECT
public:
    explicit VGXLedWidget(QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace MvQARN
