#pragma once

// The real main window with scripted message boxes and file dialog, and the
// hands of a person on its controls: clicks, double-clicks, keys, typing.

#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"
#include "ui/AppSetup.h"
#include "ui/BrowsePanel.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

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
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the main window was not activated");
    }
    // The application set-up, once; before anything reads the settings.
    static void setUp()
    {
        static const bool done = (setUpApplication(), true);
        Q_UNUSED(done);
    }

    template <typename T = QWidget>
    T *find(const char *name) const { return window->findChild<T *>(QString::fromLatin1(name)); }
    QAction *action(const char *name) const { return find<QAction>(name); }
    QString text(const char *labelName) const { return find<QLabel>(labelName)->text(); }
    BrowsePanel *browse() const { return window->browsePanel(); }
    // A folder of the test's own, shown in the window.
    QString showTempFolder() { return browse()->setFolder(dir.path()) ? dir.path() : QString(); }
    QString path(const QString &name) const { return dir.filePath(name); }
    // The texts of a list's (or a combo box's) rows.
    QStringList rows(const char *viewName) const
    {
        auto *combo = find<QComboBox>(viewName);
        const QAbstractItemModel *model = combo ? combo->model() : find<QAbstractItemView>(viewName)->model();
        QStringList result;
        for (int row = 0; row < model->rowCount(); ++row)
            result << model->index(row, 0).data().toString();
        return result;
    }

    void click(const char *buttonName) const { QTest::mouseClick(find<QAbstractButton>(buttonName), Qt::LeftButton); }
    void trigger(const char *actionName) const
    {
        QAction *a = action(actionName);
        QVERIFY2(a, actionName);
        a->trigger();
    }
    // A button whose file dialog is answered with path; the file's bytes after.
    QByteArray clickAnswering(const char *buttonName, const QString &path)
    {
        dialogs.setNextFileName(path);
        click(buttonName);
        return TestFiles::readAll(path);
    }
    // Text entered into the widget with the focus: ASCII key by key, anything
    // else as an input method commits it; then key (none: 0).
    static void type(const QString &text, int key = 0, Qt::KeyboardModifiers mods = {})
    {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        if (QString::fromLatin1(text.toLatin1()) == text)
            QTest::keyClicks(QApplication::focusWidget(), text);
        else
            QApplication::sendEvent(QApplication::focusWidget(), &commit);
        if (key)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
    }
    // Clicks into a line edit or editable combo box and types over its text.
    void typeInto(const char *name, const QString &text, int key = Qt::Key_Return, Qt::KeyboardModifiers mods = {}) const
    {
        auto *combo = find<QComboBox>(name);
        QWidget *w = combo ? combo->lineEdit() : find(name);
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        type(text, key, mods);
    }
    static QPoint centre(QAbstractItemView *view, int row, int column = 0)
    {
        return view->visualRect(view->model()->index(row, column)).center();
    }
    static void clickRow(QAbstractItemView *view, int row, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(view->viewport(), button, mods, centre(view, row));
    }
    // A double-click as a person makes one: a press first (QTest sends the
    // double-click event alone).
    static void doubleClickRow(QAbstractItemView *view, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        clickRow(view, row, button);
        QTest::mouseDClick(view->viewport(), button, {}, centre(view, row));
    }
    void doubleClickRow(const char *viewName, int row, Qt::MouseButton button = Qt::LeftButton) const
    {
        doubleClickRow(find<QAbstractItemView>(viewName), row, button);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace tabulink
