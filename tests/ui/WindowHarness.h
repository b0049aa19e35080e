#pragma once

// The real main window with scripted message boxes and file dialog.

#include "support/ScriptedDialogs.h"
#include "ui/AppSetup.h"
#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>
#include <QWidget>

#include <memory>

namespace tabulink {

class WindowHarness
{
public:
    // launcher: what opens folders and pages; the desktop's when null.
    explicit WindowHarness(Launcher *launcher = nullptr)
    {
        setUp();
        window = std::make_unique<MainWindow>(&dialogs, nullptr, launcher);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("the main window was not exposed");
    }

    // The application set-up, once; before anything reads the settings.
    static void setUp()
    {
        static bool done = false;
        if (!done)
            setUpApplication();
        done = true;
    }

    template <typename T = QWidget>
    T *find(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    QAction *action(const char *name) const { return find<QAction>(name); }

    // Clicks a button (by objectName) with the mouse.
    void click(const char *name) const
    {
        auto *button = find<QAbstractButton>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void trigger(const char *actionName) const
    {
        QAction *a = action(actionName);
        QVERIFY2(a, actionName);
        a->trigger();
    }

    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace tabulink
