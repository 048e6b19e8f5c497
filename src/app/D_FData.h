#pragma once
// The raw memory image as a grid of bytes: a read-only view in normal mode,
// an editor in data and manufacture mode.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

class QPushButton;
class QLineEdit;
class QTableView;
class TFDataModel;
class TFDataDelegate;
class TEditorState;
class TMap36;
class TRKmem;

class TfrmFData : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kColCount = 17;   // address column + 16 bytes
    static constexpr int kRowCount = 2049; // header row + 2048 rows of 16 bytes

    // Shows the live configuration of `state`, encoded, and edits copies of
    // it; the caller takes them over when TookOver says so.
    explicit TfrmFData(const TEditorState& state, QWidget* parent = nullptr);
    ~TfrmFData() override;

    // Whether OK took typed bytes over into Model and Image.
    bool TookOver() const { return tookOver_; }
    const TRKmem& Model() const { return *model_; }
    const TMap36& Image() const { return *image_; }

    // Text of a grid cell, the header row and the address column included
    // (row 0 and column 0).
    QString CellText(int row, int col) const;
    bool Editable() const { return editable_; }
    // Whether any byte was typed.
    bool Changed() const { return changed_; }
    // The cell editor while one is open, else nullptr.
    QLineEdit* OpenEditor() const;

    // The decode of the edited image; replaceable so a rejected image can be
    // shown in tests (the codec itself accepts every image today).
    using TDecoder = std::function<bool(const TMap36& image, TRKmem& model)>;
    void SetDecoder(TDecoder decoder) { decoder_ = std::move(decoder); }

    QTableView* grdData;
    QPushButton* btnOK;
    QPushButton* btnCancel;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class TFDataDelegate;

    void FormShow();
    void btnOKClick();
    void CommitOpenEditor();

    std::unique_ptr<TRKmem> model_;
    std::unique_ptr<TMap36> image_;
    int32_t startupMode_;
    bool editable_;
    bool tookOver_ = false;
    bool changed_ = false;
    TDecoder decoder_;
    TFDataModel* data_;
    TFDataDelegate* delegate_;
};
