#include "ui/PreviewWindow.h"

#include "shell/PreviewPlacement.h"
#include "textio/Cp932.h"
#include "ui/Fonts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tabulink {

PageView::PageView(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    // A browser's usual face and size for text the page gives none.
    setFont(Fonts::gothic(12));
}

void PageView::setBaseFolder(const QString &folder)
{
    m_base = folder.isEmpty() ? QUrl() : QUrl::fromLocalFile(folder + QLatin1Char('/'));
}

QVariant PageView::loadResource(int type, const QUrl &name)
{
    if (type != QTextDocument::ImageResource)
        return QVariant();
    const QUrl url = name.isRelative() ? m_base.resolved(name) : name;
    if (!url.isLocalFile())
        return QVariant(); // http and the like: nothing goes over the network
    // Only a regular file: a FIFO or a device would never end.
    const QString path = url.toLocalFile();
    if (!QFileInfo(path).isFile())
        return QVariant();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QVariant();
    return file.readAll();
}

PreviewWindow::PreviewWindow(Source source, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window), m_source(std::move(source)), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("preview"));
    setWindowTitle(QStringLiteral("プレビュー"));
    m_imodeBox = new QCheckBox(QStringLiteral("i-mode ページ"), this);
    m_imodeBox->setObjectName(QStringLiteral("previewImode"));
    m_imodeBox->setEnabled(false);
    m_view = new PageView(this);
    m_view->setObjectName(QStringLiteral("previewView"));
    m_noteLabel = new QLabel(this);
    m_noteLabel->setObjectName(QStringLiteral("previewNote"));
    m_noteLabel->setTextFormat(Qt::PlainText);
    m_noteLabel->setWordWrap(true);
    m_noteLabel->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_imodeBox, 0, Qt::AlignLeft);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_noteLabel);

    m_pause.setSingleShot(true);
    m_pause.setInterval(300);
    connect(&m_pause, &QTimer::timeout, this, &PreviewWindow::refresh);
    connect(m_imodeBox, &QCheckBox::toggled, this, &PreviewWindow::refresh);
    // The preview goes with the main window.
    if (m_mainWindow)
        m_mainWindow->installEventFilter(this);
    // The application may end without hiding this window first.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (isVisible())
            storePlacement();
    });
}

void PreviewWindow::open()
{
    if (!m_placed)
        place();
    m_placed = true;
    refresh();
    show();
    raise();
    activateWindow();
}

void PreviewWindow::scheduleRefresh()
{
    if (isVisible())
        m_pause.start();
}

void PreviewWindow::refresh()
{
    m_pause.stop();
    const Page page = m_source(m_imodeBox->isChecked());
    m_imodeBox->setEnabled(page.imodeOffered);
    m_noteLabel->setText(page.note);
    m_noteLabel->setVisible(!page.note.isEmpty());
    const QString html = Cp932::decode(page.bytes);
    if (html == m_html && page.folder == m_folder)
        return;
    m_html = html;
    m_folder = page.folder;
    // The reader keeps their place in the page while it follows their typing.
    const int scrolled = m_view->verticalScrollBar()->value();
    m_view->setBaseFolder(page.folder);
    m_view->setHtml(m_html);
    m_view->verticalScrollBar()->setValue(scrolled);
}

void PreviewWindow::place()
{
    if (const std::optional<QRect> stored = PreviewPlacement::load()) {
        for (const QScreen *screen : QGuiApplication::screens()) {
            if (screen->availableGeometry().intersects(*stored)) {
                setGeometry(*stored);
                return;
            }
        }
    }
    // Right of the main window, as tall as it; on its left when there is no
    // room on the right.
    const QRect main = m_mainWindow ? m_mainWindow->frameGeometry() : QRect(0, 0, 0, 600);
    QRect rect(main.right() + 9, main.top(), 640, std::max(main.height(), 480));
    const QScreen *screen = m_mainWindow ? m_mainWindow->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        if (rect.right() > area.right())
            rect.moveRight(std::max(main.left() - 9, area.left() + rect.width() - 1));
        rect = rect.intersected(area).isEmpty() ? rect : rect.intersected(area);
    }
    setGeometry(rect);
}

void PreviewWindow::storePlacement()
{
    PreviewPlacement::store(geometry());
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mainWindow && event->type() == QEvent::Hide && !event->spontaneous() && isVisible())
        close();
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        storePlacement();
}

} // namespace tabulink
