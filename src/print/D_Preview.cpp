#include "print/D_Preview.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/dc_GuiSeams.h"
#include "print/D_PrintSetup.h"

namespace {

constexpr int kMinWidth = 835;
constexpr int kMinHeight = 540;
// Between the two pictures of the pair.
constexpr int kPairGap = 10;
// Around a zoomed picture: its distance from the area's edges.
constexpr int kZoomMargin = 10;
// Where the report starts on its picture, in page-image pixels.
constexpr int kPageLeft = 40;
constexpr int kPageTop = 20;
constexpr double kZoom80Scale = 0.8;
// Pages held at once: the pair on screen.
constexpr size_t kCachedPages = 2;

const QCursor& MagnifierCursor() {
    static const QCursor cursor = [] {
        QPixmap glass(32, 32);
        glass.fill(Qt::transparent);
        QPainter painter(&glass);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(QColor(255, 255, 255, 160));
        painter.drawEllipse(QPoint(12, 12), 8, 8);
        painter.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(19, 19, 28, 28);
        painter.end();
        return QCursor(glass, 12, 12);
    }();
    return cursor;
}

QPushButton* NewButton(QWidget* parent, QHBoxLayout* row, const char* name, const char* caption) {
    auto* button = new QPushButton(ToQ(caption), parent);
    button->setObjectName(ToQ(name));
    // Enter must not print or close the preview by accident.
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

// The area the pictures are drawn in: hands its events to the preview.
class TPreviewArea : public QAbstractScrollArea {
  public:
    explicit TPreviewArea(TfrmPreview& owner) : QAbstractScrollArea(&owner), owner_(owner) {
        viewport()->setMouseTracking(true);
        viewport()->setBackgroundRole(QPalette::Dark);
        viewport()->setAutoFillBackground(true);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(viewport());
        owner_.PaintPages(painter);
    }
    void mousePressEvent(QMouseEvent* event) override { owner_.PictureClick(event); }
    void mouseMoveEvent(QMouseEvent* event) override { owner_.PictureHover(event); }
    void resizeEvent(QResizeEvent*) override { owner_.Relayout(); }
    void scrollContentsBy(int, int) override { viewport()->update(); }

  private:
    TfrmPreview& owner_;
};

TfrmPreview::TfrmPreview(TReport report, TPrintSettings& settings, int& pageMode,
                         std::filesystem::path document, QWidget* mainWindow)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      prtImg_(std::move(report), settings.Paper()), settings_(settings), pageMode_(pageMode),
      document_(std::move(document)), mainWindow_(mainWindow), twoPages_(pageMode != 0) {
    setMinimumSize(kMinWidth, kMinHeight);
    auto* row = new QHBoxLayout;
    btnPrint = NewButton(this, row, "btnPrint", "&Print");
    btnNextPage = NewButton(this, row, "btnNextPage", "&Next Page");
    btnPrevPage = NewButton(this, row, "btnPrevPage", "Pre&vious Page");
    btnPageMode = NewButton(this, row, "btnPageMode", "&Two Page");
    btnZoomIn = NewButton(this, row, "btnZoomIn", "Zoom &In");
    btnZoomOut = NewButton(this, row, "btnZoomOut", "Zoom &Out");
    btnClose = NewButton(this, row, "btnClose", "&Close");
    row->addStretch();
    sbxPreview = new TPreviewArea(*this);
    sbxPreview->setObjectName(QStringLiteral("sbxPreview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(row);
    layout->addWidget(sbxPreview, 1);

    connect(btnPrint, &QPushButton::clicked, this, &TfrmPreview::btnPrintClick);
    connect(btnNextPage, &QPushButton::clicked, this, &TfrmPreview::btnNextPageClick);
    connect(btnPrevPage, &QPushButton::clicked, this, &TfrmPreview::btnPrevPageClick);
    connect(btnPageMode, &QPushButton::clicked, this, &TfrmPreview::btnPageModeClick);
    connect(btnZoomIn, &QPushButton::clicked, this, [this] { SetZoom(zoom_ + 1); });
    connect(btnZoomOut, &QPushButton::clicked, this, [this] { SetZoom(zoom_ - 1); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
}

void TfrmPreview::Execute(QWidget* mainWindow, TReport report, TPrintSettings& settings, int& pageMode,
                          const std::filesystem::path& document) {
    TfrmPreview preview(std::move(report), settings, pageMode, document, mainWindow);
    if (mainWindow) {
        preview.setWindowTitle(mainWindow->windowTitle());
        const Qt::WindowStates state = mainWindow->windowState() & ~Qt::WindowMinimized;
        const bool full = state & (Qt::WindowMaximized | Qt::WindowFullScreen);
        const QRect normal = full ? mainWindow->normalGeometry() : mainWindow->geometry();
        if (normal.isValid()) preview.setGeometry(normal);
        preview.setWindowState(state);
    }
    preview.exec();
}

void TfrmPreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (mainWindow_) mainWindow_->hide();
    Relayout();
}

void TfrmPreview::done(int result) {
    pageMode_ = twoPages_ ? 1 : 0;
    // The main window comes back before the preview goes, so that the
    // program never finds itself without a visible window.
    if (QWidget* main = std::exchange(mainWindow_, nullptr)) {
        const Qt::WindowStates state = windowState() & ~Qt::WindowMinimized;
        const bool full = state & (Qt::WindowMaximized | Qt::WindowFullScreen);
        const QRect normal = full ? normalGeometry() : geometry();
        main->setWindowState(Qt::WindowNoState);
        if (normal.isValid()) main->setGeometry(normal);
        main->setWindowState(state);
        main->show();
    }
    QDialog::done(result);
}

QRect TfrmPreview::PictureRect(int which) const {
    const QRect& picture = pictures_[which];
    if (picture.isNull()) return {};
    return picture.translated(-sbxPreview->horizontalScrollBar()->value(),
                              -sbxPreview->verticalScrollBar()->value());
}

int TfrmPreview::PictureAt(const QPoint& pos) const {
    for (int which = 0; which < 2; ++which)
        if (PictureRect(which).contains(pos)) return which;
    return -1;
}

void TfrmPreview::Relayout() {
    // Switching a scroll bar on or off resizes the viewport, which lands here again.
    if (relayouting_) return;
    relayouting_ = true;
    QScrollBar* hbar = sbxPreview->horizontalScrollBar();
    QScrollBar* vbar = sbxPreview->verticalScrollBar();
    const QSize page = prtImg_.PageSize();
    pictures_[1] = QRect();
    if (zoom_ == kZoomFit) {
        sbxPreview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        sbxPreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const QSize area = sbxPreview->viewport()->size();
        const double across = twoPages_ ? (area.width() - kPairGap) / (2.0 * page.width())
                                        : static_cast<double>(area.width()) / page.width();
        scale_ = std::max(0.0, std::min(across, static_cast<double>(area.height()) / page.height()));
        const int w = static_cast<int>(page.width() * scale_);
        const int h = static_cast<int>(page.height() * scale_);
        const int total = twoPages_ ? 2 * w + kPairGap : w;
        pictures_[0] = QRect((area.width() - total) / 2, (area.height() - h) / 2, w, h);
        if (twoPages_) pictures_[1] = pictures_[0].translated(w + kPairGap, 0);
        hbar->setRange(0, 0);
        vbar->setRange(0, 0);
    } else {
        scale_ = zoom_ == kZoom80 ? kZoom80Scale : 1.0;
        const int w = static_cast<int>(page.width() * scale_);
        const int h = static_cast<int>(page.height() * scale_);
        sbxPreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        const bool across = zoom_ == kZoom100 || w >= sbxPreview->viewport()->width();
        sbxPreview->setHorizontalScrollBarPolicy(across ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        const QSize area = sbxPreview->viewport()->size();
        const int room = (area.width() - w) / 2;
        const int left =
            zoom_ == kZoom80 ? (across ? kZoomMargin : room) : (room > kZoomMargin ? room : kZoomMargin);
        pictures_[0] = QRect(left, kZoomMargin, w, h);
        vbar->setRange(0, std::max(0, h + 2 * kZoomMargin - area.height()));
        vbar->setPageStep(area.height());
        hbar->setRange(0, across ? std::max(0, w + 2 * kZoomMargin - area.width()) : 0);
        hbar->setPageStep(area.width());
    }
    sbxPreview->viewport()->update();
    relayouting_ = false;
}

QImage TfrmPreview::PageImage(int index) {
    const auto hit = std::find_if(cache_.begin(), cache_.end(),
                                  [index](const TCachedPage& c) { return c.Index == index; });
    if (hit != cache_.end()) {
        std::rotate(hit, hit + 1, cache_.end());
        return cache_.back().Image;
    }
    cache_.push_back({index, prtImg_.PageImage(index)});
    if (cache_.size() > kCachedPages) cache_.erase(cache_.begin());
    return cache_.back().Image;
}

void TfrmPreview::PaintPages(QPainter& painter) {
    const QSize page = prtImg_.PageSize();
    for (int which = 0; which < 2; ++which) {
        const QRect picture = PictureRect(which);
        if (picture.isNull()) continue;
        painter.fillRect(picture, Qt::white);
        const int index = page_ + which;
        if (index < PageCount()) {
            painter.save();
            painter.setClipRect(picture);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, scale_ != 1.0);
            const QRectF target(picture.x() + kPageLeft * scale_, picture.y() + kPageTop * scale_,
                                page.width() * scale_, page.height() * scale_);
            painter.drawImage(target, PageImage(index));
            painter.restore();
        }
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(picture.adjusted(0, 0, -1, -1));
    }
}

void TfrmPreview::PictureClick(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint pos = event->position().toPoint();
    const int which = PictureAt(pos);
    if (which < 0) return;
    const QRect clicked = PictureRect(which);
    const double fx = static_cast<double>(pos.x() - clicked.x()) / clicked.width();
    const double fy = static_cast<double>(pos.y() - clicked.y()) / clicked.height();
    if (which == 1 && page_ + 1 < PageCount()) SetPage(page_ + 1);
    SetZoom((zoom_ + 1) % 3);
    // The clicked point of the page goes to the middle of the area.
    const QRect& now = pictures_[0];
    const QSize area = sbxPreview->viewport()->size();
    sbxPreview->horizontalScrollBar()->setValue(
        static_cast<int>(now.x() + fx * now.width() - area.width() / 2.0));
    sbxPreview->verticalScrollBar()->setValue(
        static_cast<int>(now.y() + fy * now.height() - area.height() / 2.0));
    PictureHover(event);
}

void TfrmPreview::PictureHover(QMouseEvent* event) {
    if (PictureAt(event->position().toPoint()) >= 0 && zoom_ != kZoom100)
        sbxPreview->viewport()->setCursor(MagnifierCursor());
    else
        sbxPreview->viewport()->unsetCursor();
}

void TfrmPreview::SetZoom(int step) {
    zoom_ = std::clamp(step, static_cast<int>(kZoomFit), static_cast<int>(kZoom100));
    Relayout();
    if (zoom_ == kZoom100) {
        QScrollBar* hbar = sbxPreview->horizontalScrollBar();
        hbar->setValue(hbar->maximum() / 2);
    }
    UpdateButtons();
}

void TfrmPreview::SetPage(int page) {
    page_ = std::clamp(page, 0, std::max(0, PageCount() - 1));
    sbxPreview->verticalScrollBar()->setValue(0);
    sbxPreview->viewport()->update();
    UpdateButtons();
}

void TfrmPreview::btnNextPageClick() {
    // A pair that already shows the last page stays.
    if (twoPages_ && zoom_ == kZoomFit && page_ + 1 >= PageCount() - 1) return;
    SetPage(page_ + 1);
}

void TfrmPreview::btnPrevPageClick() {
    SetPage(page_ - 1);
}

void TfrmPreview::btnPageModeClick() {
    twoPages_ = !twoPages_;
    Relayout();
    UpdateButtons();
}

void TfrmPreview::btnPrintClick() {
    PrintWithSetup(this, settings_, prtImg_.Report(), document_);
    accept();
}

void TfrmPreview::UpdateButtons() {
    btnNextPage->setEnabled(page_ < PageCount() - 1);
    btnPrevPage->setEnabled(page_ > 0);
    btnZoomIn->setEnabled(zoom_ < kZoom100);
    btnZoomOut->setEnabled(zoom_ > kZoomFit);
    btnPageMode->setEnabled(zoom_ == kZoomFit);
    btnPageMode->setText(ToQ(twoPages_ ? "&One Page" : "&Two Page"));
}
