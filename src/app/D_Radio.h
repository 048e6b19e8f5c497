#pragma once
// The transfer window: one read from or write to the radio runs inside it,
// with the direction, the search status, the progress and Cancel on show.
// It is the clone protocol's host in the editor. Also the Radio menu's
// commands, Upload and Download, which open it on copies of the editor's
// configuration and hand the result back, and Verify Radio, which only
// compares and hands nothing back.

#include <QDialog>
#include <filesystem>
#include <memory>
#include <string>

#include "app/dc_EditorState.h"
#include "image/dc_Map36.h"
#include "link/U_Radio36.h"
#include "link/dc_Fleet.h"
#include "model/dc_RKmem.h"

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// Where the editor's transfers take their clock and port from. Tests put a
// virtual clock and an in-process radio here; empty members mean the wall
// clock and the serial port that "RK36.ini" maps COM<n> to.
struct TRadioLink {
    IClock* Clock = nullptr;
    TRadio36::TPortFactory PortFactory;
};
// Replaces the link of windows created from now on; returns the previous one.
TRadioLink SetRadioLink(TRadioLink link);

class TfrmRadio : public QDialog {
    Q_OBJECT
  public:
    // `mainWindow` is disabled while the transfer runs; it is not the
    // window's parent, so that the transfer window itself stays enabled.
    explicit TfrmRadio(QWidget* mainWindow = nullptr);
    ~TfrmRadio() override;

    // Set by the caller before showing.
    bool IsRead = false;
    TMap36* Image = nullptr; // not owned
    TRKmem* Model = nullptr; // not owned
    int32_t WriteMode = 0;   // 0 full write, 1 standard write
    // Reads the radio back and compares it with what a standard write of
    // Model over Image would send; neither changes. IsRead is ignored.
    bool Verify = false;
    bool HardwareChanged = false;
    int ComPortNo = 1;
    TCodecContext Context;

    // State and outcome.
    bool Cancelled = false; // also the permission to close
    bool TimedOut = false;
    bool Succeeded = false;

    void SetProgressRange(int min, int max);
    // The protocol as this window drives it, for its outcome and failure detail.
    TRadio36& Radio() { return *radio_; }
    bool Running() const { return running_; }

    QFrame* pnlBase;
    QFrame* pnlTitle;
    QLabel* Image1;
    QLabel* lblTitle;
    QLabel* lblMsg1;
    QLabel* Label1;
    QLabel* lblMsg2;
    QLabel* lblMsg3;
    QProgressBar* progText;
    QPushButton* btnCancel;
    QPushButton* btnHelp;
    QTimer* Timer;

    void FormShow();
    void FormActivate();
    void btnCancelClick();
    void TimerTimer();

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    class THost;
    QWidget* mainWindow_;
    IClock& clock_;
    std::unique_ptr<THost> host_;
    std::unique_ptr<TRadio36> radio_;
    bool started_ = false;
    bool running_ = false;
};

// What a Radio menu command hands back to the main window.
struct TTransferResult {
    TModelOrigin Origin = TModelOrigin::Upload;
    bool Accepted = false; // Model and Image are to become live
    TRKmem Model;
    TMap36 Image;
    QString Status; // for the status bar; empty for none
};

// The Radio menu's commands on a copy of the editor's state; nothing when
// the transfer was cancelled or failed. `mainWindow` is disabled meanwhile.
std::unique_ptr<TTransferResult> miUploadClick(const TEditorState& state, QWidget* mainWindow);
std::unique_ptr<TTransferResult> miDownloadClick(const TEditorState& state, QWidget* mainWindow);
// Whether the radio holds what Download would write; the outcome is told in
// a message box, and nothing of the editor's state changes.
bool miVerifyClick(const TEditorState& state, QWidget* mainWindow);
