#include "app/D_Radio.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "app/dc_GuiSeams.h"
#include "image/dc_DataFile.h"
#include "link/dc_RsDrv.h"
#include "model/dc_MessageBox.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUploadPrompt = "- Upload to PC -\r\n\r\nPress and hold the PF-1 button while "
                                      "powering-on.\r\nLCD on radio will display PC CLONE.";
constexpr const char* kDownloadPrompt = "- Download from PC -\r\n\r\nPress and hold the PF-1 button while "
                                        "powering-on.\r\nLCD on radio will display PC CLONE.";
constexpr const char* kVerifyPrompt = "- Verify Radio -\r\n\r\nPress and hold the PF-1 button while "
                                      "powering-on.\r\nLCD on radio will display PC CLONE.";
constexpr const char* kReflect = "Reflected in the this program";
constexpr const char* kSearchStatus = "Search Radio   :";
constexpr int kReadProgressMax = 65;
constexpr int kWriteProgressMax = 84;

TRadioLink& CurrentLink() {
    static TRadioLink link;
    return link;
}

IClock& LinkClock() {
    return CurrentLink().Clock ? *CurrentLink().Clock : SystemClock();
}

// The title bar's picture: the caption colour fading to the right.
QPixmap TitlePicture(const QColor& colour) {
    QPixmap picture(385, 20);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, picture.width(), 0);
    gradient.setColorAt(0, colour.darker(130));
    gradient.setColorAt(1, colour.lighter(150));
    painter.fillRect(picture.rect(), gradient);
    return picture;
}

} // namespace

TRadioLink SetRadioLink(TRadioLink link) {
    TRadioLink previous = std::move(CurrentLink());
    CurrentLink() = std::move(link);
    return previous;
}

// The protocol's view of the window.
class TfrmRadio::THost : public IRadioHost {
  public:
    explicit THost(TfrmRadio& form) : f_(form) {}

    void SetProgressMax(int32_t max) override { f_.progText->setMaximum(max); }
    void StepProgress() override {
        f_.progText->setValue(std::min(f_.progText->value() + 1, f_.progText->maximum()));
    }
    void ProgressToMax() override {
        f_.progText->setValue(f_.progText->maximum());
        f_.progText->repaint();
    }
    void SetStatus(const std::string& text) override { f_.lblMsg3->setText(ToQ(text)); }
    void SetSearchProgress(int32_t attempt, int32_t attempts) override {
        if (attempts > 0) {
            if (!searching_) blocksMax_ = f_.progText->maximum();
            searching_ = true;
            f_.progText->setRange(0, attempts);
            f_.progText->setValue(attempt);
        } else if (searching_) {
            searching_ = false;
            f_.progText->setRange(0, blocksMax_);
            f_.progText->setValue(0);
        }
    }
    bool Cancelled() override { return f_.Cancelled; }
    void SetCancelVisible(bool visible) override { f_.btnCancel->setVisible(visible); }
    void ProcessMessages() override { QCoreApplication::processEvents(); }
    void Repaint() override { f_.repaint(); }
    void SetMainWindowEnabled(bool enabled) override {
        if (f_.mainWindow_) f_.mainWindow_->setEnabled(enabled);
    }
    IClock& Clock() override { return f_.clock_; }

  private:
    TfrmRadio& f_;
    bool searching_ = false;
    int blocksMax_ = 0;
};

TfrmRadio::TfrmRadio(QWidget* mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      mainWindow_(mainWindow), clock_(LinkClock()) {
    setObjectName(QStringLiteral("frmRadio"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(382, 170);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    pnlBase = new QFrame(this);
    pnlBase->setObjectName(QStringLiteral("pnlBase"));
    pnlBase->setFrameStyle(QFrame::Panel | QFrame::Raised);
    layout->addWidget(pnlBase);

    pnlTitle = new QFrame(pnlBase);
    pnlTitle->setObjectName(QStringLiteral("pnlTitle"));
    pnlTitle->setGeometry(2, 2, 378, 19);
    const QColor caption = palette().color(QPalette::Active, QPalette::Highlight);
    Image1 = new QLabel(pnlTitle);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 385, 20);
    Image1->setPixmap(TitlePicture(caption));
    lblTitle = new QLabel(pnlTitle);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(0, 0, 378, 19);
    lblTitle->setAttribute(Qt::WA_TranslucentBackground);
    lblTitle->setStyleSheet(QStringLiteral("color: white; font-weight: bold; background: transparent;"));

    lblMsg1 = new QLabel(pnlBase);
    lblMsg1->setObjectName(QStringLiteral("lblMsg1"));
    lblMsg1->hide();
    Label1 = new QLabel(QStringLiteral("Radio Data"), pnlBase);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->hide();

    lblMsg2 = new QLabel(pnlBase);
    lblMsg2->setObjectName(QStringLiteral("lblMsg2"));
    lblMsg2->setFont(QFont(QStringLiteral("Arial"), 9));
    lblMsg2->setGeometry(16, 30, 350, 18);
    lblMsg3 = new QLabel(ToQ(kSearchStatus), pnlBase);
    lblMsg3->setObjectName(QStringLiteral("lblMsg3"));
    lblMsg3->setGeometry(16, 58, 350, 16);

    progText = new QProgressBar(pnlBase);
    progText->setObjectName(QStringLiteral("progText"));
    progText->setGeometry(16, 84, 350, 20);
    progText->setRange(0, 48);
    progText->setTextVisible(false);

    btnCancel = new QPushButton(QStringLiteral("Cancel"), pnlBase);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(153, 124, 75, 25);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmRadio::btnCancelClick);
    btnHelp = new QPushButton(QStringLiteral("&Help"), pnlBase);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnHelp->hide();

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(100);
    connect(Timer, &QTimer::timeout, this, &TfrmRadio::TimerTimer);

    host_ = std::make_unique<THost>(*this);
    radio_ = std::make_unique<TRadio36>(*host_, CurrentLink().PortFactory);
    radio_->PortMap = LoadPortMap(ProgramFolder() / "RK36.ini");

    // FormCreate.
    progText->setValue(0);
    WriteMode = 0;
}

TfrmRadio::~TfrmRadio() = default;

void TfrmRadio::SetProgressRange(int min, int max) {
    progText->setRange(min, max);
}

void TfrmRadio::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Shown again (restored by the window system) while the transfer runs: a
    // second FormShow would take back a Cancel already pressed.
    if (started_) return;
    FormShow();
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    // The transfer starts once the window is up and the modal loop runs.
    QTimer::singleShot(0, this, &TfrmRadio::FormActivate);
}

bool TfrmRadio::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !started_)
        QTimer::singleShot(0, this, &TfrmRadio::FormActivate);
    return QDialog::event(event);
}

void TfrmRadio::FormShow() {
    const QString caption = ToQ(Verify ? VerifyCaption : IsRead ? ReadCaption : WriteCaption);
    setWindowTitle(caption);
    lblMsg2->setText(caption);
    lblTitle->setText(QStringLiteral("  ") + caption);
    Cancelled = false;
    Timer->stop();
    Timer->setInterval(350);
    TimedOut = false;
}

void TfrmRadio::FormActivate() {
    if (started_) return;
    started_ = true;
    running_ = true;
    radio_->ComPortNo = ComPortNo;
    radio_->Context = Context;
    // Boxes of the transfer ("Problem on COM port", the deck question ...)
    // must open over this window, which stays on top.
    const TScopedMessageOwner owner(this);
    const bool result =
        Image && Model &&
        (Verify ? radio_->VerifyRadio(*Model, *Image)
                : RunRadioTransfer(*radio_, IsRead, WriteMode, HardwareChanged, *Image, *Model));
    running_ = false;
    Succeeded = result;
    Cancelled = true;
    // Closed from the event loop, once this handler has returned.
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void TfrmRadio::btnCancelClick() {
    Cancelled = true;
}

void TfrmRadio::TimerTimer() {
    Timer->stop();
    TimedOut = true;
}

void TfrmRadio::reject() {
    // Cancel only asks the transfer to stop; the window goes when it has.
    if (!Cancelled || running_) return;
    QDialog::reject();
}

void TfrmRadio::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (btnCancel->isVisible() && btnCancel->isEnabled()) btnCancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- Radio menu ----------------------------------------------------------------------

std::unique_ptr<TTransferResult> miUploadClick(const TEditorState& state, QWidget* mainWindow) {
    if (ShowMessageBox(kUploadPrompt, TMsgType::Warning, TMsgButtons::OkCancel, 1) != TMsgResult::Ok)
        return nullptr;
    auto result = std::make_unique<TTransferResult>();
    result->Origin = TModelOrigin::Upload;
    // The search starts with the model code of the configuration being
    // edited, usually the radio's own; the read replaces the copy.
    result->Model.Assign(state.Model);
    {
        TfrmRadio frmRadio(mainWindow);
        frmRadio.IsRead = true;
        frmRadio.Image = &result->Image;
        frmRadio.Model = &result->Model;
        frmRadio.Succeeded = false;
        frmRadio.ComPortNo = state.ComPortNo;
        frmRadio.Context = state.CodecContext();
        frmRadio.SetProgressRange(0, kReadProgressMax);
        frmRadio.exec();
        if (!frmRadio.Succeeded) return nullptr;
    }

    // The image as the radio had it, before anything in this program touches it.
    const fs::path backup =
        KeepRadioBackup(result->Image, result->Model.SerialNumber, LinkClock().LocalNow());
    result->Status =
        backup.empty()
            ? QStringLiteral("The data read from the radio could not be backed up")
            : QStringLiteral("The data read from the radio are backed up in %1").arg(PathToQ(backup));
    result->Accepted =
        ShowMessageBox(kReflect, TMsgType::Confirmation, TMsgButtons::YesNo, 1) == TMsgResult::Yes;
    return result;
}

std::unique_ptr<TTransferResult> miDownloadClick(const TEditorState& state, QWidget* mainWindow) {
    if (ShowMessageBox(kDownloadPrompt, TMsgType::Warning, TMsgButtons::OkCancel, 1) != TMsgResult::Ok)
        return nullptr;
    // The write stamps the date into the model and reads the radio's identity
    // into the image: copies, so that a failed write leaves the live ones as
    // they were.
    auto result = std::make_unique<TTransferResult>();
    result->Origin = TModelOrigin::Download;
    result->Model.Assign(state.Model);
    result->Image.Assign(state.Image);
    TfrmRadio frmRadio(mainWindow);
    frmRadio.IsRead = false;
    frmRadio.Image = &result->Image;
    frmRadio.Model = &result->Model;
    frmRadio.Succeeded = false;
    frmRadio.WriteMode = state.StartupMode == 2 ? 0 : 1;
    frmRadio.HardwareChanged = state.HardwareChanged;
    frmRadio.ComPortNo = state.ComPortNo;
    frmRadio.Context = state.CodecContext();
    frmRadio.SetProgressRange(0, kWriteProgressMax);
    frmRadio.exec();
    if (!frmRadio.Succeeded) return nullptr;
    result->Accepted = true;
    return result;
}

bool miVerifyClick(const TEditorState& state, QWidget* mainWindow) {
    if (ShowMessageBox(kVerifyPrompt, TMsgType::Warning, TMsgButtons::OkCancel, 1) != TMsgResult::Ok)
        return false;
    // Copies, although the verify only reads them: whatever happens in the
    // window, the live configuration is never in reach of the transfer.
    TRKmem model;
    model.Assign(state.Model);
    TMap36 image;
    image.Assign(state.Image);
    TfrmRadio frmRadio(mainWindow);
    frmRadio.Verify = true;
    frmRadio.Image = &image;
    frmRadio.Model = &model;
    frmRadio.Succeeded = false;
    frmRadio.ComPortNo = state.ComPortNo;
    frmRadio.Context = state.CodecContext();
    frmRadio.SetProgressRange(0, kReadProgressMax);
    frmRadio.exec();
    return frmRadio.Succeeded;
}
