// The main window's menu bar: the Japanese menu tree with its command numbers. Key names after a
// tab are only shown; the keys themselves are translated by the application key filter.
#include "app/commands/edit_commands.h"
#include "app/commands/file_extras.h"
#include "app/window/command_table.h"
#include "app/window/main_window.h"
#include "viewer/edit_history.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QAction* VortanMain::AddCommand(QMenu* menu, const QString& text, unsigned command,
                                const QString& keys) {
    QAction* action = menu->addAction(keys.isEmpty() ? text : text + QLatin1Char('\t') + keys);
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

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    AddCommand(file, QStringLiteral("チャートを開く(&O)"), 40001, QStringLiteral("Ctrl+O"));
    QMenu* save = file->addMenu(QStringLiteral("データを保存する(&S)"));
    AddCommand(save, QStringLiteral("チャートを保存する(&S)"), 40002, QStringLiteral("Ctrl+S"));
    AddCommand(save, QStringLiteral("チャートを別のファイル名をつけて保存する(&A)"), 40003);
    AddCommand(save, QStringLiteral("読み取ったピークを保存する(&P)"), 40004,
               QStringLiteral("Ctrl+P"));
    AddCommand(file, QStringLiteral("プリンタの設定"), 40057);
    AddCommand(file, QStringLiteral("印刷(&P)"), 40058);
    AddFileExtras(this, file);
    file->addSeparator();
    AddCommand(file, QStringLiteral("終了(&Q)"), 8, QStringLiteral("Ctrl+Q"));

    QMenu* data = bar->addMenu(QStringLiteral("&Data"));
    AddCommand(data, QStringLiteral("ピークの設定(&S)"), 40005, QStringLiteral("Enter"));
    AddCommand(data, QStringLiteral("ピークの設定の中止(&C)"), 40045, QStringLiteral("Esc"));
    AddCommand(data, QStringLiteral("スムージング(&M)"), 40051);
    AddCommand(data, QStringLiteral("カーソルが中央にくるようにする"), 1063,
               QStringLiteral("Ctrl+C"));
    AddCommand(data, QStringLiteral("中央をカーソル位置にする"), 1065, QStringLiteral("Ctrl+M"));
    data->addSeparator();
    QMenu* mode = data->addMenu(QStringLiteral("モード(&I)"));
    AddCommand(mode, QStringLiteral("ピークを読む(&M)"), 40036)->setCheckable(true);
    AddCommand(mode, QStringLiteral("チャートをチェックする(&C)"), 40037)->setCheckable(true);
    AddCommand(data, QStringLiteral("ピーク一覧(&L)"), 40039);
    AddCommand(data, QStringLiteral("チャートのヘッダ(&H)"), 40040);
    data->addSeparator();
    QAction* undo =
        AddCommand(data, QStringLiteral("元に戻す(&Z)"), CMD_UNDO, QStringLiteral("Ctrl+Z"));
    QAction* redo =
        AddCommand(data, QStringLiteral("やり直す(&Y)"), CMD_REDO, QStringLiteral("Ctrl+Y"));
    connect(data, &QMenu::aboutToShow, this, [this, undo, redo] {
        undo->setEnabled(CanUndoEdit(view()));
        redo->setEnabled(CanRedoEdit(view()));
    });

    QMenu* mag = bar->addMenu(QStringLiteral("&Magnification"));
    AddCommand(mag, QStringLiteral("x5"), 40009, QStringLiteral("Ctrl+PgUp"));
    AddCommand(mag, QStringLiteral("x2"), 40006, QStringLiteral("Shift+PgUp"));
    AddCommand(mag, QStringLiteral("x0.5"), 40007, QStringLiteral("Shift+PgDown"));
    AddCommand(mag, QStringLiteral("x0.2"), 40010, QStringLiteral("Ctrl+PgDown"));
    AddCommand(mag, QStringLiteral("等倍(&D)"), 40008, QStringLiteral("Ctrl+D"));

    QMenu* range = bar->addMenu(QStringLiteral("&Range"));
    AddCommand(range, QStringLiteral("レンジを高くする(&U)"), 40018, QStringLiteral("PgUp"));
    AddCommand(range, QStringLiteral("レンジを低くする(&D)"), 40019, QStringLiteral("PgDown"));
    AddCommand(range, QStringLiteral("チャートの高さに合わせる(&F)"), 40027,
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
        AddCommand(range, QString::fromUtf8(r.label), r.command)->setCheckable(true);

    QMenu* option = bar->addMenu(QStringLiteral("&Option"));
    AddCommand(option, QStringLiteral("スムージングの設定(&S)"), 40048);
    AddCommand(option, QStringLiteral("ピークの検出の設定(&P)"), 40049);
    AddCommand(option, QStringLiteral("一般的な設定"), 40061);

    QMenu* window = bar->addMenu(QStringLiteral("&Window"));
    AddCommand(window, QStringLiteral("操作盤"), 40059);
    AddCommand(window, QStringLiteral("詳細情報"), 40060);

    QMenu* show = bar->addMenu(QStringLiteral("表示(&V)"));
    AddCommand(show, QStringLiteral("目盛りを表示する(&A)"), CMD_AXES)->setCheckable(true);
    show->addSeparator();
    AddCommand(show, QStringLiteral("測定カーソルAを置く"), CMD_MEASURE_A,
               QStringLiteral("Ctrl+A"));
    AddCommand(show, QStringLiteral("測定カーソルBを置く"), CMD_MEASURE_B,
               QStringLiteral("Ctrl+B"));
    AddCommand(show, QStringLiteral("測定カーソルを消す"), CMD_MEASURE_CLEAR);

    // Help sits at the right end of the menu bar.
    helpBar = new QMenuBar(bar);
    QMenu* help = helpBar->addMenu(QStringLiteral("&Help"));
    AddCommand(help, QStringLiteral("ヘルプ"), 40062);
    AddCommand(help, QStringLiteral("キーワードで検索"), 40063);
    AddCommand(help, QStringLiteral("表紙"), 40064);
    AddCommand(help, QStringLiteral("キー一覧"), CMD_KEYMAP);
    help->addSeparator();
    AddCommand(help, QStringLiteral("Vortanについて(&A)"), 40050);
    bar->setCornerWidget(helpBar, Qt::TopRightCorner);

    SyncCheckMarks();
}
