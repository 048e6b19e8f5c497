#pragma once
// The program's version box.

#include <QDialog>

class QLabel;
class QPushButton;

class TfrmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    static void Execute(QWidget* parent);

    QLabel* lblVersion;
    QLabel* lblFileVersion;
    QPushButton* btnOK;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};
