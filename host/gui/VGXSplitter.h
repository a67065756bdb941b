#pragma once
// Viewers side by side or one above the other, with handles the user drags to share the space.
#include "host/gui/CViewer.h"

class QSplitter;

namespace MvQARN {

class VGX_EXPORT VGXSplitter : public MvGuiFramework::CViewer {
    Q_OBJECT
public:
    explicit VGXSplitter(QWidget* parent = nullptr, Qt::Orientation orientation = Qt::Vertical);
    ~VGXSplitter() override;

    // The splitter becomes the viewer's parent; stretch shares the space when the splitter grows.
    void addViewer(QWidget* viewer, int stretch = 0);
    QSplitter* splitter() const { return m_splitter; }

private:
    QSplitter* m_splitter;
};

} // namespace MvQARN
