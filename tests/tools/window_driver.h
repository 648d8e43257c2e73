#pragma once

#include "terminal/core/terminal.h"

#include "tests/support/find_named.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

// Opens a window of the program through its function, clicks one of its buttons, lets the
// test look while the window is still open, and closes the window again. Modal windows are
// handled while they run, modeless ones once they show.
inline void clickInWindow(tarvex::Terminal& terminal, int function, const QString& form, const QString& button,
                          const std::function<void(QWidget&)>& whileOpen = {})
{
    bool clicked = false;
    const auto act = [&] {
        QWidget* w = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == form && top->isVisible())
                w = top;
        if (!w)
            return false;
        auto* b = findNamed<QPushButton>(*w, (form + QLatin1Char('_') + button).toUtf8().constData());
        EXPECT_TRUE(b->isEnabled()) << form.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
        clicked = true;
        if (whileOpen)
            whileOpen(*w);
        w->close();
        return true;
    };
    // A timer of this call only: it never fires after the call returned.
    QTimer modal;
    modal.setSingleShot(true);
    QObject::connect(&modal, &QTimer::timeout, [&] { act(); });
    modal.start(0);
    terminal.PrgFunktionen(function);
    if (!clicked) {
        EXPECT_TRUE(QTest::qWaitFor(act, 2000)) << form.toStdString();
    }
}
