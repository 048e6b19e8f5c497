#pragma once
// The print preview: the report's pages as pictures, one or two side by side,
// fitted, at 80 % or at full size. It takes the main window's place while it
// shows. Pages are drawn when they come into view and only the pages on
// screen are kept, so a long report costs no more memory than a short one.

#include <QDialog>
#include <QImage>
#include <QRect>
#include <filesystem>
#include <vector>

#include "model/dc_ReportLayout.h"
#include "print/dc_Printers.h"
#include "print/dc_PrtImg.h"

class QAbstractScrollArea;
class QMouseEvent;
class QPushButton;

class TfrmPreview : public QDialog {
    Q_OBJECT
  public:
    // Zoom steps: the whole page (or pair) fitted, 80 % and 100 % of the page image.
    enum { kZoomFit = 0, kZoom80 = 1, kZoom100 = 2 };

    // `pageMode` is the two-page flag, read here and written back on close.
    // `mainWindow`, when given, is hidden while the preview shows and takes
    // its position, size and state when it closes.
    TfrmPreview(TReport report, TPrintSettings& settings, int& pageMode, std::filesystem::path document,
                QWidget* mainWindow = nullptr);

    // Modal, in the main window's place and with its caption.
    static void Execute(QWidget* mainWindow, TReport report, TPrintSettings& settings, int& pageMode,
                        const std::filesystem::path& document);

    int PageIndex() const { return page_; }
    int PageCount() const { return prtImg_.PageCount(); }
    int ZoomStep() const { return zoom_; }
    bool TwoPages() const { return twoPages_; }
    // Page images held right now.
    int CachedPageCount() const { return static_cast<int>(cache_.size()); }
    // Picture 0 (the current page) or 1 (the page beside it) in viewport
    // coordinates; empty when not shown.
    QRect PictureRect(int which) const;

    QAbstractScrollArea* sbxPreview;
    QPushButton* btnPrint;
    QPushButton* btnNextPage;
    QPushButton* btnPrevPage;
    QPushButton* btnPageMode;
    QPushButton* btnZoomIn;
    QPushButton* btnZoomOut;
    QPushButton* btnClose;

  public slots:
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    friend class TPreviewArea;

    void btnPrintClick();
    void btnNextPageClick();
    void btnPrevPageClick();
    void btnPageModeClick();
    void SetZoom(int step);
    void SetPage(int page);
    void UpdateButtons();
    // Picture sizes and places for the zoom step and area size, then the scroll ranges.
    void Relayout();
    void PaintPages(QPainter& painter);
    void PictureClick(QMouseEvent* event);
    void PictureHover(QMouseEvent* event);
    // The picture under a viewport point: 0, 1 or -1.
    int PictureAt(const QPoint& pos) const;
    QImage PageImage(int index);

    TPrtImg prtImg_;
    TPrintSettings& settings_;
    int& pageMode_;
    std::filesystem::path document_;
    QWidget* mainWindow_;
    int page_ = 0;
    int zoom_ = kZoomFit;
    bool twoPages_ = false;
    // In content coordinates, before scrolling.
    QRect pictures_[2];
    double scale_ = 1.0;
    bool relayouting_ = false;
    struct TCachedPage {
        int Index;
        QImage Image;
    };
    std::vector<TCachedPage> cache_; // most recently used last
};
