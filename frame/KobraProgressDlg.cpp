#include "frame/KobraProgressDlg.h"

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMutexLocker>
#include <QPalette>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <new>

#include "frame/KobraProgress.h"
#include "frame/KobraProgressCallbackIfc.h"
#include "frame/KobraProgressDialogFactory.h"
#include "host/util/VGXProperties.h"

namespace Kobra {

MvQARN::KobraProgressDlg* g_progressDialog = nullptr;

} // namespace Kobra

namespace MvQARN {

namespace {

const char kWorking[] = "Working ...";
const char kDone[] = "Done.";

int displayProperty(const char* key, int fallback) {
    bool ok = false;
    const int v =
        VGXProperties::value(QStringLiteral("GuiDimensions"), QString::fromLatin1(key), fallback).toInt(&ok);
    return ok ? v : fallback;
}

// The module's GUI registration creates the window through this hook.
QDialog* makeProgressDialog(QWidget* parent) {
    return new (std::nothrow) KobraProgressDlg(parent);
}

[[maybe_unused]] const bool s_factoryRegistered = (Kobra::createProgressDialog = &makeProgressDialog, true);

} // namespace

KobraProgressDlg::KobraProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::CustomizeWindowHint) {
    motifStyle = QStyleFactory::create(QStringLiteral("Fusion"));
    if (motifStyle)
        motifStyle->setParent(this);
    progressBar = nullptr;
    textLabel = nullptr;
    statusLabel = nullptr;
    callback = nullptr;
    answer = 0;

    if (QCoreApplication* app = QCoreApplication::instance())
        moveToThread(app->thread());
    {
        QMutexLocker lock(&KobraProgress::s_mutex);
        Kobra::g_progressDialog = this;
    }

    const QString image =
        VGXProperties::value(QStringLiteral("StartupProcess"), QStringLiteral("ProgressImage"), QString())
            .toString();
    if (!image.isEmpty()) {
        const QPixmap pixmap(image);
        if (!pixmap.isNull()) {
            QPalette pal = palette();
            pal.setBrush(QPalette::All, QPalette::Window, QBrush(pixmap));
            setPalette(pal);
            setAutoFillBackground(true);
        }
    }

    setModal(true);
    auto* layout = new QVBoxLayout(this);
    contentLayout = new QVBoxLayout;
    layout->addLayout(contentLayout);
    layout->addStretch();
    abortButton = new QPushButton(QStringLiteral("&Abort"), this);
    layout->addWidget(abortButton);
    connect(abortButton, &QPushButton::clicked, this, &KobraProgressDlg::progressAbort);

    int w = 0;
    int h = 0;
    if (parent) {
        w = parent->width();
        h = parent->height();
    } else {
        w = displayProperty("DisplayWidth", 800);
        h = displayProperty("DisplayHeight", 600);
    }
    setFixedSize(w / 2, h / 3);
}

KobraProgressDlg::~KobraProgressDlg() {
    KobraProgress::dialogDestroyed();
    QMutexLocker lock(&KobraProgress::s_mutex);
    if (Kobra::g_progressDialog == this)
        Kobra::g_progressDialog = nullptr;
    // A thread still waiting for an answer of this window would wait forever; release it (it
    // answers Ok, the window being gone).
    ++KobraProgress::s_confirmations;
    KobraProgress::s_infoConfirmed.wakeAll();
}

int KobraProgressDlg::lastAnswer() const {
    QMutexLocker lock(&KobraProgress::s_mutex);
    return answer;
}

void KobraProgressDlg::createProgressBar(QString title, QString text) {
    if (textLabel)
        textLabel->hide();

    statusLabel = new QLabel(QString::fromLatin1(kWorking), this);
    statusLabel->setFixedWidth(width() / 7);
    fitStatusFont(statusLabel);
    progressBar = new QProgressBar(this);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    if (motifStyle)
        progressBar->setStyle(motifStyle);

    auto* row = new QHBoxLayout;
    row->addWidget(statusLabel);
    row->addWidget(progressBar);
    contentLayout->addLayout(row);
    textLabel = new QLabel(text, this);
    contentLayout->addWidget(textLabel);
    // Shown now rather than by the layout's deferred show, so the row is complete when this returns.
    statusLabel->show();
    progressBar->show();
    textLabel->show();

    setWindowTitle(title);
}

void KobraProgressDlg::fitStatusFont(QLabel* label) {
    // The status column is narrow; with a wide system font "Working ..." would be cut off, so the
    // font shrinks (within reason) until the longest status text fits.
    constexpr qreal kSmallestPointSize = 6.0;
    QFont font = label->font();
    if (font.pointSizeF() <= 0)
        return; // a pixel-sized font: leave it as it is
    while (QFontMetrics(font).horizontalAdvance(QString::fromLatin1(kWorking)) > label->maximumWidth() &&
           font.pointSizeF() - 0.5 >= kSmallestPointSize)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

void KobraProgressDlg::updateProgressBar(int progress, QString text) {
    // An update that arrives after the rows were removed has nothing left to show.
    if (!progressBar)
        return;
    // The bar ignores values outside its range; the last in-range value would stay shown.
    progressBar->setValue(qBound(0, progress, 100));
    if (textLabel)
        textLabel->setText(text);
    if (progress >= 100 && statusLabel)
        statusLabel->setText(QString::fromLatin1(kDone));
}

void KobraProgressDlg::showProgress(bool withAbortBtn) {
    abortButton->setVisible(withAbortBtn);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + area.width() / 2 - width() / 2, area.top() + area.height() / 2 - height() / 2);
    }
    show();
}

void KobraProgressDlg::clearLayout(QLayout* layout) {
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QLayout* sub = item->layout())
            clearLayout(sub);
        delete item->widget();
        delete item;
    }
}

void KobraProgressDlg::hideProgress() {
    clearLayout(contentLayout);
    progressBar = nullptr;
    textLabel = nullptr;
    statusLabel = nullptr;
    hide();
}

void KobraProgressDlg::progressAbort() {
    if (callback)
        callback->progressAborted();
    hideProgress();
}

void KobraProgressDlg::setProgressTitle(QString title) {
    setWindowTitle(title);
}

void KobraProgressDlg::showMessageBox(int type, QString title, QString info, int buttons, int defaultButton) {
    const auto buttonSet = QMessageBox::StandardButtons::fromInt(buttons);
    const auto def = QMessageBox::StandardButton(defaultButton);
    bool shown = true;
    QMessageBox::StandardButton pressed = QMessageBox::NoButton;
    switch (type) {
    case MB_INFORMATION:
        pressed = QMessageBox::information(nullptr, title, info, buttonSet, def);
        break;
    case MB_WARNING:
        pressed = QMessageBox::warning(nullptr, title, info, buttonSet, def);
        break;
    case MB_CRITICAL:
        pressed = QMessageBox::critical(nullptr, title, info, buttonSet, def);
        break;
    default:
        shown = false;
        break;
    }
    QMutexLocker lock(&KobraProgress::s_mutex);
    if (shown)
        answer = int(pressed);
    ++KobraProgress::s_confirmations;
    KobraProgress::s_infoConfirmed.wakeAll();
}

} // namespace MvQARN
