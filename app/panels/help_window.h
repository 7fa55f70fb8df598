// The help window: the program's own HTML pages, compiled in as resources (":/help/"), shown in
// a text browser with a contents page, a keyword search and numbered topics. One window at most;
// it lives beside the main window and is closed with it.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

// The page of a help topic number; the contents page for an unknown topic.
QUrl HelpTopicUrl(int topic);
inline constexpr int HELP_MAIN_TOPIC = 18;
inline constexpr int HELP_KEYS_TOPIC = 20; // the key map

class VortanMain;
// Help > "キー一覧": the key map, ready to print.
int HelpKeyMapCommand(VortanMain* main, int code, const void* argument);

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    HelpWindow();
    QTextBrowser* browser() const { return view; }
    QLineEdit* searchField() const { return search; }
    void ShowTopic(int topic);
    void ShowContents();
    // The keyword page, with the focus in the search field.
    void ShowSearch();
    // Lists the pages whose text contains words (case-insensitive), linked.
    void Search(const QString& words);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void Retranslate();

    QTextBrowser* view;
    QLineEdit* search;
    QLabel* keywordLabel;
    QPushButton* printButton;
};

// The help window when it is open, else null.
HelpWindow* HelpWindowShown();
