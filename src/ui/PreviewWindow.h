#pragma once

#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;

namespace tabulink {

// The view of a page: Qt's own rich text, links shown but never followed,
// images read from local files only (a page's remote background is not
// fetched).
class PageView : public QTextBrowser
{
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);
    // Relative addresses are read from this folder, where the page is saved.
    void setBaseFolder(const QString &folder);
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QUrl m_base;
};

// "プレビュー": one window beside the main window showing the page the front
// tab's page button would write now. It follows the window's changes after
// a short pause, so typing costs only the restart of a timer.
class PreviewWindow : public QWidget
{
    Q_OBJECT
public:
    struct Page {
        QByteArray bytes;    // the page as the writer gives it (code page 932)
        QString note;        // a line below the page (rows left out, or why there is none)
        QString folder;      // where relative addresses point
        bool imodeOffered = false; // the front tab also writes the i-mode page
    };
    // source: the page of the front tab now; imode asks for the i-mode page.
    using Source = std::function<Page(bool imode)>;

    PreviewWindow(Source source, QWidget *mainWindow);

    // The decoded page the view shows, as the writer produced it.
    QString html() const { return m_html; }
    PageView *view() const { return m_view; }

    // Shows and raises the window, in its remembered place or beside the
    // main window, and shows the page now.
    void open();

public slots:
    // Something the page is made of changed: rebuild after a short pause.
    void scheduleRefresh();
    void refresh();

protected:
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();
    void storePlacement();

    Source m_source;
    QWidget *m_mainWindow;
    PageView *m_view;
    QCheckBox *m_imodeBox;
    QLabel *m_noteLabel;
    QTimer m_pause;
    QString m_html;
    QString m_folder;
    bool m_placed = false;
};

} // namespace tabulink
