#include "app/panels/help_window.h"

#include "app/panels/panels.h"
#include "app/window/language.h"
#include "app/window/main_window.h"

#include <QCoreApplication>
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

#include <algorithm>
#include <iterator>
#include <vector>

static void InitHelpResources() {
    static bool done = false;
    if (!done) Q_INIT_RESOURCE(help);
    done = true;
}

namespace {

QPointer<HelpWindow> shownHelp;

// A page of the help in the language in use.
QUrl PageUrl(const char* page) {
    return QUrl(QStringLiteral("qrc:/help/%1/%2")
                    .arg(LanguageCode(CurrentLanguage()), QLatin1String(page)));
}

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
        if (t.number == topic) return PageUrl(t.page);
    return PageUrl("contents.html");
}

HelpWindow::HelpWindow() {
    InitHelpResources();
    setObjectName(QStringLiteral("vortanhelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(640, 480);
    auto* column = new QVBoxLayout(this);
    auto* row = new QHBoxLayout();
    keywordLabel = new QLabel(this);
    row->addWidget(keywordLabel);
    search = new QLineEdit(this);
    search->setClearButtonEnabled(true);
    row->addWidget(search, 1);
    // The page shown, on paper: the key map is laid out to be printed.
    printButton = new QPushButton(this);
    printButton->setObjectName(QStringLiteral("printButton"));
    row->addWidget(printButton);
    column->addLayout(row);
    view = new QTextBrowser(this);
    view->setOpenLinks(true);
    view->setOpenExternalLinks(false);
    column->addWidget(view, 1);
    connect(search, &QLineEdit::returnPressed, this, [this] { Search(search->text()); });
    connect(printButton, &QPushButton::clicked, this, [this] {
        QPrinter printer;
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted) view->document()->print(&printer);
    });
    Retranslate();
}

void HelpWindow::Retranslate() {
    setWindowTitle(tr("Vortan ヘルプ"));
    keywordLabel->setText(tr("キーワード"));
    printButton->setText(tr("印刷"));
    printButton->setToolTip(tr("表示中のページを印刷します (キー一覧など) / Print this page"));
    search->setToolTip(tr("言葉を入れて Enter で全ページを検索 / Type a word, Enter searches"));
}

void HelpWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        Retranslate();
        // The page shown moves to its counterpart in the other language, when there is one.
        const QString page = view->source().toString();
        static const QRegularExpression folder(QStringLiteral("^qrc:/help/(ja|en)/"));
        const QString other = QString(page).replace(
            folder, QStringLiteral("qrc:/help/%1/").arg(LanguageCode(CurrentLanguage())));
        if (other != page && QFile::exists(QUrl(other).path().prepend(QLatin1Char(':'))))
            view->setSource(QUrl(other));
    }
    QWidget::changeEvent(event);
}

void HelpWindow::ShowTopic(int topic) {
    view->setSource(HelpTopicUrl(topic));
}

void HelpWindow::ShowContents() {
    view->setSource(PageUrl("contents.html"));
}

void HelpWindow::ShowSearch() {
    view->setSource(PageUrl("search.html"));
    search->setFocus();
    search->selectAll();
}

void HelpWindow::Search(const QString& words) {
    const QString needle = words.trimmed();
    if (needle.isEmpty()) {
        ShowSearch();
        return;
    }
    QString html =
        tr("<h2>「%1」の検索結果 / Results for \"%1\"</h2><ul>").arg(needle.toHtmlEscaped());
    int found = 0;
    // The pages of the language in use come first.
    std::vector<const char*> pages(std::begin(PAGES), std::end(PAGES));
    const QString mine = LanguageCode(CurrentLanguage());
    std::stable_partition(pages.begin(), pages.end(), [&mine](const char* page) {
        return QLatin1String(page).startsWith(mine);
    });
    for (const char* page : pages) {
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
    if (found == 0) html += tr("<p>見つかりませんでした。 / Nothing found.</p>");
    html += tr("<p><a href=\"%1\">キーワード一覧 / Keywords</a></p>")
                .arg(PageUrl("search.html").toString());
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
