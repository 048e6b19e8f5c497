#pragma once
// One QApplication for the widget tests, made on first use when no test main
// has made one already.

#include <QApplication>
#include <QTest>
#include <QWidget>

inline void EnsureGuiApp() {
    static int argc = 1;
    static char name[] = "test_gui";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

// Clicks a check box or radio button on its indicator: a button stretched by
// its layout does not take clicks in the empty space right of its caption.
inline void ClickIndicator(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// Shows a dialog modelessly and waits until it can take input events.
inline void ShowAndWait(QWidget& w) {
    w.show();
    w.activateWindow();
    (void)QTest::qWaitForWindowExposed(&w);
}
