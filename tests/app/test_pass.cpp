#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/D_Pass.h"

namespace {

TEST(PasswordDialog, MasksTheTextAndHandsItOverOnEitherButton) {
    for (const bool ok : {true, false}) {
        TfrmPass dlg;
        EXPECT_EQ(dlg.windowTitle(), "Password");
        EXPECT_EQ(dlg.medtPass->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(dlg.btnOk->isDefault());
        QTest::keyClicks(dlg.medtPass, "Secret 1");
        EXPECT_EQ(dlg.medtPass->displayText(), "********") << "asterisks, as the program always showed";
        QTest::mouseClick(ok ? dlg.btnOk : dlg.btnCan, Qt::LeftButton);
        EXPECT_EQ(dlg.result(), ok ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(dlg.Password(), "Secret 1");
    }
}

TEST(PasswordDialog, EnterAcceptsAndEscapeCancels) {
    TfrmPass enter;
    enter.show();
    QTest::keyClicks(enter.medtPass, "abc");
    QTest::keyClick(enter.medtPass, Qt::Key_Return);
    EXPECT_EQ(enter.result(), QDialog::Accepted);
    EXPECT_EQ(enter.Password(), "abc");

    TfrmPass escape;
    escape.show();
    QTest::keyClick(escape.medtPass, Qt::Key_Escape);
    EXPECT_EQ(escape.result(), QDialog::Rejected);
}

} // namespace
