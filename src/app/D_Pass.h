#pragma once
// The manufacture-mode access code prompt.

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

class TfrmPass : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmPass(QWidget* parent = nullptr);

    // The typed text as it was when the dialog closed.
    const std::string& Password() const { return password_; }

    QLineEdit* medtPass;
    QPushButton* btnOk;
    QPushButton* btnCan;

    void done(int result) override;

  private:
    std::string password_;
};
