#include "widgets/help_browser.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpContentModel>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QHBoxLayout>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// A page view that reads the pages, style sheet and pictures from the
// compiled help.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine *engine, QWidget *parent) : QTextBrowser(parent), engine_(engine)
    {
        setOpenExternalLinks(false);
    }
    QVariant loadResource(int type, const QUrl &url) override
    {
        if (url.scheme() == QLatin1String("qthelp"))
            return engine_->fileData(url);
        return QTextBrowser::loadResource(type, url);
    }

private:
    QHelpEngine *engine_;
};

} // namespace

HelpBrowserWindow::HelpBrowserWindow(const QString &helpFile) : HelpWindow(nullptr, Qt::Window)
{
    setWindowTitle(QStringLiteral("Velmora Help"));
    resize(900, 640);
    const QString cache =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
        + QStringLiteral("/velmora");
    QDir().mkpath(cache);
    const QString collection = cache + QStringLiteral("/help.qhc");
    namespace_ = QHelpEngineCore::namespaceName(helpFile);
    usable_ = openCollection(collection, helpFile);
    if (!usable_ && !namespace_.isEmpty()) {
        // The help file is sound, the collection is not (a crash or a full
        // disk while it was written): it is made again, search index and all.
        delete engine_;
        QFile::remove(collection);
        QDir(cache + QStringLiteral("/.help")).removeRecursively();
        usable_ = openCollection(collection, helpFile);
    }
    if (!usable_ && !namespace_.isEmpty()) {
        // A cache folder that cannot be written: a collection for this run.
        delete engine_;
        scratch_ = std::make_unique<QTemporaryDir>();
        usable_ = openCollection(scratch_->filePath(QStringLiteral("help.qhc")), helpFile);
    }

    page_ = new HelpBrowser(engine_, this);
    auto *tabs = new QTabWidget(this);
    tabs->addTab(engine_->contentWidget(), QStringLiteral("&Contents"));
    tabs->addTab(engine_->indexWidget(), QStringLiteral("&Index"));
    auto *search = new QWidget(this);
    auto *searchLayout = new QVBoxLayout(search);
    QHelpSearchEngine *searchEngine = engine_->searchEngine();
    searchLayout->addWidget(searchEngine->queryWidget());
    searchLayout->addWidget(searchEngine->resultWidget());
    tabs->addTab(search, QStringLiteral("&Search"));

    auto *splitter = new QSplitter(this);
    splitter->addWidget(tabs);
    splitter->addWidget(page_);
    splitter->setStretchFactor(1, 3);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(engine_->contentWidget(), &QHelpContentWidget::linkActivated, page_,
            [this](const QUrl &url) { page_->setSource(url); });
    connect(engine_->indexWidget(), &QHelpIndexWidget::documentActivated, page_,
            [this](const QHelpLink &link) { page_->setSource(link.url); });
    connect(searchEngine->queryWidget(), &QHelpSearchQueryWidget::search, searchEngine,
            [searchEngine] { searchEngine->search(searchEngine->queryWidget()->searchInput()); });
    connect(searchEngine->resultWidget(), &QHelpSearchResultWidget::requestShowLink, page_,
            [this](const QUrl &url) { page_->setSource(url); });
    if (usable_) {
        // The index of the search is made once, the first time it is needed.
        if (searchEngine->searchResultCount() == 0)
            searchEngine->reindexDocumentation();
        // The contents are built in the background: open their first level
        // once they are there.
        connect(engine_->contentModel(), &QHelpContentModel::contentsCreated,
                engine_->contentWidget(), [this] { engine_->contentWidget()->expandToDepth(0); });
    }
}

bool HelpBrowserWindow::openCollection(const QString &collection, const QString &helpFile)
{
    engine_ = new QHelpEngine(collection, this);
    engine_->setReadOnly(false); // the collection is the user's own
    if (!engine_->setupData() || namespace_.isEmpty())
        return false;
    // Another copy of the program may have registered its own file.
    if (engine_->documentationFileName(namespace_) != QFileInfo(helpFile).absoluteFilePath())
        engine_->unregisterDocumentation(namespace_);
    if (!engine_->registeredDocumentations().contains(namespace_))
        engine_->registerDocumentation(helpFile);
    return engine_->registeredDocumentations().contains(namespace_);
}

void HelpBrowserWindow::showPage(const QString &page)
{
    if (usable_)
        page_->setSource(QUrl(QStringLiteral("qthelp://%1/doc/%2").arg(namespace_, page)));
}

QString HelpBrowserWindow::currentPage() const
{
    return page_->source().fileName();
}

HelpBrowserWindow::~HelpBrowserWindow()
{
    delete engine_; // before the folder of a collection made for this run
}

// The module's entry point, the one name it makes known.
extern "C" Q_DECL_EXPORT HelpWindow *velmoraCreateHelpWindow(const QString &helpFile)
{
    return new HelpBrowserWindow(helpFile);
}
