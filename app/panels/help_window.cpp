#include "app/panels/help_window.h"

#include "app/panels/panels.h"
#include "app/window/main_window.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

static void InitHelpResources() {
    static bool done = false;
    if (!done) Q_INIT_RESOURCE(help);
    done = true;
}

namespace {

QPointer<HelpWindow> shownHelp;

const QString CONTENTS = QStringLiteral("qrc:/help/ja/contents.html");
const QString SEARCH_PAGE = QStringLiteral("qrc:/help/ja/search.html");

struct Topic {
    int number;
    const char* page;
};
// Topic numbers of the pages the program opens.
const Topic TOPICS[] = {{1, "contents.html"}, {18, "usage.html"}, {20, "keys.html"},
                        {21, "peaks.html"},   {22, "files.html"}, {23, "detection.html"}};

// The pages the keyword search looks through.
const char* const PAGES[] = {"ja/usage.html",    "ja/keys.html",      "ja/peaks.html",
                             "ja/files.html",    "en/usage.html",     "en/keys.html",
                             "en/peaks.html",    "en/files.html",     "ja/contents.html",
                             "en/contents.html", "ja/detection.html", "en/detection.html"};

HelpWindow* OpenHelp() {
    if (!shownHelp) shownHelp = new HelpWindow();
    shownHelp->show();
    shownHelp->raise();
    shownHelp->activateWindow();
    return shownHelp;
}

} // namespace

QUrl HelpTopicUrl(int topic) {
    for (const Topic& t : TOPICS)
        if (t.number == topic) return QUrl(QStringLiteral("qrc:/help/ja/") + QLatin1String(t.page));
    return QUrl(CONTENTS);
}

HelpWindow::HelpWindow() {
    InitHelpResources();
    setObjectName(QStringLiteral("vortanhelp"));
    setWindowTitle(QStringLiteral("Vortan ヘルプ"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 480);
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout();
    row->addWidget(new QLabel(QStringLiteral("キーワード"), this));
    search = new QLineEdit(this);
    search->setClearButtonEnabled(true);
    row->addWidget(search, 1);
    // The page shown, on paper: the key map is laid out to be printed.
    auto* print = new QPushButton(QStringLiteral("印刷"), this);
    print->setObjectName(QStringLiteral("printButton"));
    print->setToolTip(
        QStringLiteral("表示中のページを印刷します (キー一覧など) / Print this page"));
    row->addWidget(print);
    column->addLayout(row);
    view = new QTextBrowser(this);
    view->setOpenLinks(true);
    view->setOpenExternalLinks(false);
    column->addWidget(view, 1);
    connect(search, &QLineEdit::returnPressed, this, [this] { Search(search->text()); });
    connect(print, &QPushButton::clicked, this, [this] {
        QPrinter printer;
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted) view->document()->print(&printer);
    });
    search->setToolTip(
        QStringLiteral("言葉を入れて Enter で全ページを検索 / Type a word, Enter searches"));
}

void HelpWindow::ShowTopic(int topic) {
    view->setSource(HelpTopicUrl(topic));
}

void HelpWindow::ShowContents() {
    view->setSource(QUrl(CONTENTS));
}

void HelpWindow::ShowSearch() {
    view->setSource(QUrl(SEARCH_PAGE));
    search->setFocus();
    search->selectAll();
}

void HelpWindow::Search(const QString& words) {
    const QString needle = words.trimmed();
    if (needle.isEmpty()) {
        ShowSearch();
        return;
    }
    QString html = QStringLiteral("<h2>「%1」の検索結果 / Results for \"%1\"</h2><ul>")
                       .arg(needle.toHtmlEscaped());
    int found = 0;
    for (const char* page : PAGES) {
        QFile file(QStringLiteral(":/help/") + QLatin1String(page));
        if (!file.open(QIODevice::ReadOnly)) continue;
        QTextDocument doc;
        doc.setHtml(QString::fromUtf8(file.readAll()));
        if (!doc.toPlainText().contains(needle, Qt::CaseInsensitive)) continue;
        const QString title = doc.metaInformation(QTextDocument::DocumentTitle);
        html += QStringLiteral("<li><a href=\"qrc:/help/%1\">%2</a></li>")
                    .arg(QLatin1String(page),
                         title.isEmpty() ? QLatin1String(page) : title.toHtmlEscaped());
        ++found;
    }
    html += QStringLiteral("</ul>");
    if (found == 0) html += QStringLiteral("<p>見つかりませんでした。 / Nothing found.</p>");
    html += QStringLiteral("<p><a href=\"%1\">キーワード一覧 / Keywords</a></p>").arg(SEARCH_PAGE);
    view->setHtml(html);
}

HelpWindow* HelpWindowShown() {
    return shownHelp.data();
}

int HelpTopicCommand(VortanMain*, int, const void*) {
    OpenHelp()->ShowTopic(HELP_MAIN_TOPIC);
    return 1;
}

int HelpSearchCommand(VortanMain*, int, const void*) {
    OpenHelp()->ShowSearch();
    return 1;
}

int HelpKeyMapCommand(VortanMain*, int, const void*) {
    OpenHelp()->ShowTopic(HELP_KEYS_TOPIC);
    return 1;
}

int HelpContentsCommand(VortanMain*, int, const void*) {
    OpenHelp()->ShowContents();
    return 1;
}

void CloseHelp() {
    if (HelpWindow* help = shownHelp.data()) {
        shownHelp = nullptr;
        delete help;
    }
}
