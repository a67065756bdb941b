#pragma once
// A combo box that tells its owner before its list opens, so the owner can bring the entries up
// to date with the parameter's current choices.
#include <QComboBox>
#include <functional>

namespace MvQARN {

class VGXPopupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit VGXPopupComboBox(QWidget* parent, std::function<void()> beforePopup)
        : QComboBox(parent), m_beforePopup(std::move(beforePopup)) {}

    void showPopup() override {
        if (m_beforePopup)
            m_beforePopup();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_beforePopup;
};

} // namespace MvQARN
