// The main window's menu bar: the menu tree (Japanese source texts, translated by language) with
// its command numbers. Key names after a tab are only shown; the keys themselves are translated by
// the application key filter.
#include "app/commands/edit_commands.h"
#include "app/commands/file_extras.h"
#include "app/window/command_table.h"
#include "app/window/language.h"
#include "app/window/main_window.h"
#include "viewer/edit_history.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// The menus' texts are translated in this context.
constexpr const char* MENU = "Menu";

QMenu* AddMenu(QWidget* parent, const char* title) {
    auto* menu = new QMenu(parent);
    SetTranslatedText(menu->menuAction(), MENU, title);
    if (auto* bar = qobject_cast<QMenuBar*>(parent))
        bar->addMenu(menu);
    else
        static_cast<QMenu*>(parent)->addMenu(menu);
    return menu;
}

} // namespace

QAction* VortanMain::AddCommand(QMenu* menu, const char* text, unsigned command,
                                const QString& keys) {
    QAction* action = menu->addAction(QString());
    SetTranslatedText(action, MENU, text, keys);
    action->setData(command);
    connect(action, &QAction::triggered, this, [this, command] {
        DispatchCommand(this, command);
        SyncCheckMarks();
        ReturnKeyboard();
    });
    actions[command] = action;
    return action;
}

void VortanMain::BuildMenus() {
    QMenuBar* bar = menuBar();

    QMenu* file = AddMenu(bar, QT_TRANSLATE_NOOP("Menu", "&File"));
    AddCommand(file, QT_TRANSLATE_NOOP("Menu", "チャートを開く(&O)"), 40001,
               QStringLiteral("Ctrl+O"));
    QMenu* save = AddMenu(file, QT_TRANSLATE_NOOP("Menu", "データを保存する(&S)"));
    AddCommand(save, QT_TRANSLATE_NOOP("Menu", "チャートを保存する(&S)"), 40002,
               QStringLiteral("Ctrl+S"));
    AddCommand(save, QT_TRANSLATE_NOOP("Menu", "チャートを別のファイル名をつけて保存する(&A)"),
               40003);
    AddCommand(save, QT_TRANSLATE_NOOP("Menu", "読み取ったピークを保存する(&P)"), 40004,
               QStringLiteral("Ctrl+P"));
    AddCommand(file, QT_TRANSLATE_NOOP("Menu", "プリンタの設定"), 40057);
    AddCommand(file, QT_TRANSLATE_NOOP("Menu", "印刷(&P)"), 40058);
    AddFileExtras(this, file);
    file->addSeparator();
    AddCommand(file, QT_TRANSLATE_NOOP("Menu", "終了(&Q)"), 8, QStringLiteral("Ctrl+Q"));

    QMenu* data = AddMenu(bar, QT_TRANSLATE_NOOP("Menu", "&Data"));
    AddCommand(data, QT_TRANSLATE_NOOP("Menu", "ピークの設定(&S)"), 40005, QStringLiteral("Enter"));
    AddCommand(data, QT_TRANSLATE_NOOP("Menu", "ピークの設定の中止(&C)"), 40045,
               QStringLiteral("Esc"));
    AddCommand(data, QT_TRANSLATE_NOOP("Menu", "スムージング(&M)"), 40051);
    AddCommand(data, QT_TRANSLATE_NOOP("Menu", "カーソルが中央にくるようにする"), 1063,
               QStringLiteral("Ctrl+C"));
    AddCommand(data, QT_TRANSLATE_NOOP("Menu", "中央をカーソル位置にする"), 1065,
               QStringLiteral("Ctrl+M"));
    data->addSeparator();
    QMenu* mode = AddMenu(data, QT_TRANSLATE_NOOP("Menu", "モード(&I)"));
    AddCommand(mode, QT_TRANSLATE_NOOP("Menu", "ピークを読む(&M)"), 40036)->setCheckable(true);
    AddCommand(mode, QT_TRANSLATE_NOOP("Menu", "チャートをチェックする(&C)"), 40037)
        ->setCheckable(true);
    AddCommand(data, QT_TRANSLATE_NOOP("Menu", "ピーク一覧(&L)"), 40039);
    AddCommand(data, QT_TRANSLATE_NOOP("Menu", "チャートのヘッダ(&H)"), 40040);
    data->addSeparator();
    QAction* undo = AddCommand(data, QT_TRANSLATE_NOOP("Menu", "元に戻す(&Z)"), CMD_UNDO,
                               QStringLiteral("Ctrl+Z"));
    QAction* redo = AddCommand(data, QT_TRANSLATE_NOOP("Menu", "やり直す(&Y)"), CMD_REDO,
                               QStringLiteral("Ctrl+Y"));
    connect(data, &QMenu::aboutToShow, this, [this, undo, redo] {
        undo->setEnabled(CanUndoEdit(view()));
        redo->setEnabled(CanRedoEdit(view()));
    });

    QMenu* mag = AddMenu(bar, QT_TRANSLATE_NOOP("Menu", "&Magnification"));
    AddCommand(mag, QT_TRANSLATE_NOOP("Menu", "x5"), 40009, QStringLiteral("Ctrl+PgUp"));
    AddCommand(mag, QT_TRANSLATE_NOOP("Menu", "x2"), 40006, QStringLiteral("Shift+PgUp"));
    AddCommand(mag, QT_TRANSLATE_NOOP("Menu", "x0.5"), 40007, QStringLiteral("Shift+PgDown"));
    AddCommand(mag, QT_TRANSLATE_NOOP("Menu", "x0.2"), 40010, QStringLiteral("Ctrl+PgDown"));
    AddCommand(mag, QT_TRANSLATE_NOOP("Menu", "等倍(&D)"), 40008, QStringLiteral("Ctrl+D"));

    QMenu* range = AddMenu(bar, QT_TRANSLATE_NOOP("Menu", "&Range"));
    AddCommand(range, QT_TRANSLATE_NOOP("Menu", "レンジを高くする(&U)"), 40018,
               QStringLiteral("PgUp"));
    AddCommand(range, QT_TRANSLATE_NOOP("Menu", "レンジを低くする(&D)"), 40019,
               QStringLiteral("PgDown"));
    AddCommand(range, QT_TRANSLATE_NOOP("Menu", "チャートの高さに合わせる(&F)"), 40027,
               QStringLiteral("Ctrl+F"))
        ->setCheckable(true);
    range->addSeparator();
    static const struct {
        const char* label;
        unsigned command;
    } ranges[] = {{"20V(&M)", 40011}, {"10V", 40012},    {"5V", 40013},    {"2V", 40014},
                  {"1V(&S)", 40015},  {"500mV", 40016},  {"200mV", 40017}, {"100mV", 40020},
                  {"50mV", 40021},    {"20mV", 40022},   {"10mV", 40023},  {"5mV", 40024},
                  {"2mV", 40025},     {"1mV(&L)", 40026}};
    for (const auto& r : ranges)
        AddCommand(range, r.label, r.command)->setCheckable(true);

    QMenu* option = AddMenu(bar, QT_TRANSLATE_NOOP("Menu", "&Option"));
    AddCommand(option, QT_TRANSLATE_NOOP("Menu", "スムージングの設定(&S)"), 40048);
    AddCommand(option, QT_TRANSLATE_NOOP("Menu", "ピークの検出の設定(&P)"), 40049);
    AddCommand(option, QT_TRANSLATE_NOOP("Menu", "一般的な設定"), 40061);

    QMenu* window = AddMenu(bar, QT_TRANSLATE_NOOP("Menu", "&Window"));
    AddCommand(window, QT_TRANSLATE_NOOP("Menu", "操作盤"), 40059);
    AddCommand(window, QT_TRANSLATE_NOOP("Menu", "詳細情報"), 40060);

    QMenu* show = AddMenu(bar, QT_TRANSLATE_NOOP("Menu", "表示(&V)"));
    AddCommand(show, QT_TRANSLATE_NOOP("Menu", "目盛りを表示する(&A)"), CMD_AXES)
        ->setCheckable(true);
    show->addSeparator();
    AddCommand(show, QT_TRANSLATE_NOOP("Menu", "測定カーソルAを置く"), CMD_MEASURE_A,
               QStringLiteral("Ctrl+A"));
    AddCommand(show, QT_TRANSLATE_NOOP("Menu", "測定カーソルBを置く"), CMD_MEASURE_B,
               QStringLiteral("Ctrl+B"));
    AddCommand(show, QT_TRANSLATE_NOOP("Menu", "測定カーソルを消す"), CMD_MEASURE_CLEAR);

    // Help sits at the right end of the menu bar.
    helpBar = new QMenuBar(bar);
    QMenu* help = AddMenu(helpBar, QT_TRANSLATE_NOOP("Menu", "&Help"));
    AddCommand(help, QT_TRANSLATE_NOOP("Menu", "ヘルプ"), 40062);
    AddCommand(help, QT_TRANSLATE_NOOP("Menu", "キーワードで検索"), 40063);
    AddCommand(help, QT_TRANSLATE_NOOP("Menu", "表紙"), 40064);
    AddCommand(help, QT_TRANSLATE_NOOP("Menu", "キー一覧"), CMD_KEYMAP);
    help->addSeparator();
    AddCommand(help, QT_TRANSLATE_NOOP("Menu", "Vortanについて(&A)"), 40050);
    bar->setCornerWidget(helpBar, Qt::TopRightCorner);

    SyncCheckMarks();
}
