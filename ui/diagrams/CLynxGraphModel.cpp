#include "ui/diagrams/CLynxGraphModel.h"

namespace MvQARN {

namespace {

template <typename T> const T* byName(const QList<T>& list, const QString& name) {
    for (const T& item : list)
        if (item.name == name)
            return &item;
    return nullptr;
}

} // namespace

const CLynxGraphBox* CLynxGraphModel::box(const QString& name) const {
    for (const CLynxGraphBox& b : boxes)
        if (b.name.text == name)
            return &b;
    return nullptr;
}

const CLynxGraphPath* CLynxGraphModel::path(const QString& name) const {
    return byName(paths, name);
}

const CLynxGraphTrace* CLynxGraphModel::trace(const QString& name) const {
    return byName(traces, name);
}

QList<CLynxGraphText> CLynxGraphModel::allTexts() const {
    QList<CLynxGraphText> out = texts;
    for (const CLynxGraphBox& b : boxes) {
        out << b.name;
        out << b.ports;
    }
    for (const CLynxGraphPath& p : paths)
        if (!p.label.text.isEmpty())
            out << p.label;
    for (const CLynxGraphCell& c : cells)
        out << CLynxGraphText{c.rect, c.text, c.small, Qt::AlignCenter};
    for (const CLynxGraphTrace& t : traces)
        for (const CLynxGraphText& w : t.words)
            if (!w.text.isEmpty())
                out << w;
    return out;
}

} // namespace MvQARN
