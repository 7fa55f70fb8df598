#include "app/window/tooltips.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

struct Tip {
    const char* window; // null: any window
    const char* child;
    const char* text;
};

// Window-specific entries come before the general ones of the same name.
const Tip TIPS[] = {
    // Printer settings
    {"PrinterSettingsDialog", "okButton",
     QT_TRANSLATE_NOOP("ToolTips", "この設定で印刷を始めます")},
    {"PrinterSettingsDialog", "cancelButton", QT_TRANSLATE_NOOP("ToolTips", "印刷せずに閉じます")},
    {nullptr, "printerCombo", QT_TRANSLATE_NOOP("ToolTips", "印刷に使うプリンタ")},
    {nullptr, "detailButton", QT_TRANSLATE_NOOP("ToolTips", "プリンタの詳細設定 (用紙、向きなど)")},
    {nullptr, "aroundButton",
     QT_TRANSLATE_NOOP("ToolTips", "今表示している位置の周辺だけを印刷します")},
    {nullptr, "wholeButton", QT_TRANSLATE_NOOP("ToolTips", "チャート全体を印刷します")},
    {nullptr, "roll1Button", QT_TRANSLATE_NOOP("ToolTips", "1ページを1段に分けて印刷します")},
    {nullptr, "roll2Button", QT_TRANSLATE_NOOP("ToolTips", "1ページを2段に分けて印刷します")},
    {nullptr, "roll3Button", QT_TRANSLATE_NOOP("ToolTips", "1ページを3段に分けて印刷します")},
    {nullptr, "roll4Button", QT_TRANSLATE_NOOP("ToolTips", "1ページを4段に分けて印刷します")},
    {nullptr, "roll5Button", QT_TRANSLATE_NOOP("ToolTips", "1ページを5段に分けて印刷します")},
    {nullptr, "roll6Button", QT_TRANSLATE_NOOP("ToolTips", "1ページを6段に分けて印刷します")},
    {nullptr, "dataCheck", QT_TRANSLATE_NOOP("ToolTips", "生データの曲線を印刷します")},
    {nullptr, "smoothedCheck",
     QT_TRANSLATE_NOOP("ToolTips", "スムージングしたデータの曲線を印刷します")},
    {nullptr, "peaksCheck", QT_TRANSLATE_NOOP("ToolTips", "今のモードの表のピークを印刷します")},
    {nullptr, "allPeaksCheck", QT_TRANSLATE_NOOP("ToolTips", "両方の表のピークを印刷します")},
    {nullptr, "magnificationCombo", QT_TRANSLATE_NOOP("ToolTips", "印刷の時間軸の拡大率")},
    {nullptr, "rangeCombo", QT_TRANSLATE_NOOP("ToolTips", "印刷の電圧のレンジ")},
    // Detection options
    {"DetectionDialog", "okButton", QT_TRANSLATE_NOOP("ToolTips", "閾値と検出の有無を決めます")},
    {nullptr, "thresholdEdit",
     QT_TRANSLATE_NOOP("ToolTips", "ピークの検出の閾値 (V、0 より大きい値)。既定の 0.005 V "
                                   "は静かなチャートではノイズにも反応します")},
    {nullptr, "detectBox",
     QT_TRANSLATE_NOOP("ToolTips", "ピークの設定を始めるとき、次のピークを自動で探します")},
    // General settings
    {nullptr, "savePositionBox",
     QT_TRANSLATE_NOOP("ToolTips", "終了時のメインウィンドウの位置と大きさを次回に使います")},
    {nullptr, "maximizeBox",
     QT_TRANSLATE_NOOP("ToolTips", "起動したらメインウィンドウを最大化します")},
    {nullptr, "savePanelsBox", QT_TRANSLATE_NOOP("ToolTips", "操作盤の位置を次回に使います")},
    {nullptr, "extendedSplBox",
     QT_TRANSLATE_NOOP("ToolTips", "チャートをいつも拡張SPL (SPL2) の形式で保存します")},
    {nullptr, "uniformZoneBox",
     QT_TRANSLATE_NOOP("ToolTips", "変位レジスタの区間数を毎回尋ねずに下の数を使います")},
    {nullptr, "zoneCountEdit", QT_TRANSLATE_NOOP("ToolTips", "変位レジスタの区間数 (dMem)")},
    {nullptr, "languageCombo",
     QT_TRANSLATE_NOOP("ToolTips", "メニューやダイアログの言葉。閉じると切り替わります")},
    {nullptr, "closeButton", QT_TRANSLATE_NOOP("ToolTips", "設定を決めて閉じます")},
    // Header
    {"HeaderDialog", "okButton",
     QT_TRANSLATE_NOOP("ToolTips", "編集したヘッダを決めます (Ctrl+Z で元に戻せます)")},
    {nullptr, "tagList", QT_TRANSLATE_NOOP("ToolTips", "編集するヘッダの項目")},
    {nullptr, "valueEdit", QT_TRANSLATE_NOOP("ToolTips", "選んだ項目の値")},
    {nullptr, "spl2Box", QT_TRANSLATE_NOOP("ToolTips", "拡張SPL (SPL2) の形式で保存します")},
    // Smoothing
    {nullptr, "widthEdit", QT_TRANSLATE_NOOP("ToolTips", "スムージングの幅 (片側のサンプル数)")},
    {nullptr, "maxEdit", QT_TRANSLATE_NOOP("ToolTips", "最適化で使う幅の最大")},
    {nullptr, "minEdit", QT_TRANSLATE_NOOP("ToolTips", "最適化で使う幅の最小")},
    {nullptr, "functionList", QT_TRANSLATE_NOOP("ToolTips", "最適化に使う重み関数")},
    {nullptr, "optimizeRadio", QT_TRANSLATE_NOOP("ToolTips", "幅を場所ごとに最適化します")},
    {nullptr, "noOptimizeRadio", QT_TRANSLATE_NOOP("ToolTips", "いつも同じ幅でスムージングします")},
    {nullptr, "startButton",
     QT_TRANSLATE_NOOP("ToolTips", "スムージングを始めます (Ctrl+Z で元に戻せます)")},
    // Peak list
    {nullptr, "list1014",
     QT_TRANSLATE_NOOP("ToolTips",
                       "今の表のピーク: 名前、位置、頂点、ベース。ダブルクリックで名前を変更")},
    {nullptr, "select1",
     QT_TRANSLATE_NOOP("ToolTips", "選んだピークを設定し直します (ベースラインから)")},
    {nullptr, "delete1020",
     QT_TRANSLATE_NOOP("ToolTips", "選んだピークを削除します (Ctrl+Z で元に戻せます)")},
    {nullptr, "deleteAll1022",
     QT_TRANSLATE_NOOP("ToolTips", "全てのピークを削除します (Ctrl+Z で元に戻せます)")},
    {nullptr, "close8", QT_TRANSLATE_NOOP("ToolTips", "閉じます")},
    // Register intervals, information panel
    {nullptr, "count1082",
     QT_TRANSLATE_NOOP("ToolTips", "記憶した位置から今の位置までを分ける区間の数")},
    {nullptr, "buttons", QT_TRANSLATE_NOOP("ToolTips", "OK: この区間数を使う / キャンセル")},
    {nullptr, "comment1037", QT_TRANSLATE_NOOP("ToolTips", "チャートのヘッダの内容")},
    // Cursor pad and the two peak-setting panels
    {nullptr, "up", QT_TRANSLATE_NOOP("ToolTips", "上へ (↑)")},
    {nullptr, "down", QT_TRANSLATE_NOOP("ToolTips", "下へ (↓)")},
    {nullptr, "left", QT_TRANSLATE_NOOP("ToolTips", "左へ (←)")},
    {nullptr, "right", QT_TRANSLATE_NOOP("ToolTips", "右へ (→)")},
    {nullptr, "outerUp", QT_TRANSLATE_NOOP("ToolTips", "大きく上へ (Shift+↑)")},
    {nullptr, "outerDown", QT_TRANSLATE_NOOP("ToolTips", "大きく下へ (Shift+↓)")},
    {nullptr, "outerLeft", QT_TRANSLATE_NOOP("ToolTips", "大きく左へ (Shift+←)")},
    {nullptr, "outerRight", QT_TRANSLATE_NOOP("ToolTips", "大きく右へ (Shift+→)")},
    {nullptr, "setHeight", QT_TRANSLATE_NOOP("ToolTips", "ピークの設定: 始める / 決める (Enter)")},
    {nullptr, "cancel", QT_TRANSLATE_NOOP("ToolTips", "ピークの設定の中止 (Esc)")},
    {nullptr, "levelUpFast",
     QT_TRANSLATE_NOOP("ToolTips", "ベースラインを大きく傾ける ++ (Ctrl+Space)。ベース点が中心")},
    {nullptr, "levelUp",
     QT_TRANSLATE_NOOP("ToolTips", "ベースラインを傾ける + (Space)。ベース点が中心")},
    {nullptr, "levelDown",
     QT_TRANSLATE_NOOP("ToolTips", "ベースラインを傾ける - (Shift+Space)。ベース点が中心")},
    {nullptr, "levelDownFast",
     QT_TRANSLATE_NOOP("ToolTips",
                       "ベースラインを大きく傾ける -- (Ctrl+Shift+Space)。ベース点が中心")},
    {nullptr, "level", QT_TRANSLATE_NOOP("ToolTips", "ベースラインを水平にする (Ctrl+H)")},
    {nullptr, "toCentre", QT_TRANSLATE_NOOP("ToolTips", "カーソルが中央にくるようにする (Ctrl+C)")},
    {nullptr, "fromCentre", QT_TRANSLATE_NOOP("ToolTips", "中央をカーソル位置にする (Ctrl+M)")},
    {nullptr, "top", QT_TRANSLATE_NOOP("ToolTips", "チャートの上の方を表示 (Home)")},
    {nullptr, "btm", QT_TRANSLATE_NOOP("ToolTips", "チャートの最小値を下端に (End)")},
    {nullptr, "head", QT_TRANSLATE_NOOP("ToolTips", "チャートの先頭へ (Ctrl+Home)")},
    {nullptr, "tail", QT_TRANSLATE_NOOP("ToolTips", "チャートの末尾へ (Ctrl+End)")},
    {nullptr, "mem", QT_TRANSLATE_NOOP("ToolTips", "表示位置を記憶 (Ctrl+R)")},
    {nullptr, "swap", QT_TRANSLATE_NOOP("ToolTips", "記憶した位置と今の位置を入れ替え (Ctrl+W)")},
    {nullptr, "dmem",
     QT_TRANSLATE_NOOP("ToolTips", "記憶した位置から今の位置までを区間に等分 (Ctrl+Tab)")},
    {nullptr, "inc", QT_TRANSLATE_NOOP("ToolTips", "1区間進む (Tab)")},
    {nullptr, "dec", QT_TRANSLATE_NOOP("ToolTips", "1区間戻る (Shift+Tab)")},
    // Shared names
    {nullptr, "okButton", QT_TRANSLATE_NOOP("ToolTips", "決めて閉じます")},
    {nullptr, "cancelButton", QT_TRANSLATE_NOOP("ToolTips", "変えずに閉じます")},
    // Help
    {nullptr, "printButton", QT_TRANSLATE_NOOP("ToolTips", "表示中のページを印刷します")},
};

const char* const STATUS_TIPS[9] = {
    QT_TRANSLATE_NOOP("ToolTips", "左端のサンプルの名前"),
    QT_TRANSLATE_NOOP("ToolTips", "左端のサンプル番号"),
    QT_TRANSLATE_NOOP("ToolTips", "左端のデータ (V)"),
    QT_TRANSLATE_NOOP("ToolTips", "中央 (ピーク設定中は設定中の点) のサンプルの名前"),
    QT_TRANSLATE_NOOP("ToolTips", "中央 (ピーク設定中は設定中の点) のサンプル番号"),
    QT_TRANSLATE_NOOP("ToolTips", "中央のデータ (ピーク設定中は設定中の点の高さ、V)"),
    QT_TRANSLATE_NOOP("ToolTips", "右端のサンプルの名前"),
    QT_TRANSLATE_NOOP("ToolTips", "右端のサンプル番号"),
    QT_TRANSLATE_NOOP("ToolTips", "右端のデータ (V)")};

// Marks a widget whose tooltip came from the table.
constexpr const char* FROM_TABLE = "vortanTableTip";

bool Wanted(const QWidget* w) {
    // Buttons, fields and lists: what the user clicks or types into.
    static const char* const kinds[] = {"QAbstractButton", "QLineEdit",   "QComboBox",
                                        "QPlainTextEdit",  "QListWidget", "QDialogButtonBox",
                                        "QAbstractSpinBox"};
    for (const char* kind : kinds)
        if (w->inherits(kind)) return true;
    return false;
}

} // namespace

QString ToolTipFor(const QString& window, const QString& child) {
    for (const Tip& tip : TIPS)
        if (child == QLatin1String(tip.child) &&
            (!tip.window || window == QLatin1String(tip.window)))
            return QCoreApplication::translate("ToolTips", tip.text);
    return QString();
}

void ApplyToolTips(QWidget* window) {
    if (!window) return;
    const QString name = window->objectName();
    for (QWidget* child : window->findChildren<QWidget*>()) {
        // A tip from the table is put up again in a new language; one set otherwise is kept.
        const bool fromTable = child->property(FROM_TABLE).toBool();
        if ((!child->toolTip().isEmpty() && !fromTable) || child->objectName().isEmpty() ||
            !Wanted(child))
            continue;
        const QString tip = ToolTipFor(name, child->objectName());
        if (tip.isEmpty()) continue;
        child->setToolTip(tip);
        child->setProperty(FROM_TABLE, true);
    }
}

QString StatusPartToolTip(int part) {
    return part >= 0 && part < 9 ? QCoreApplication::translate("ToolTips", STATUS_TIPS[part])
                                 : QString();
}

ToolTipInstaller* ToolTipInstaller::Install(QObject* parent) {
    auto* installer = new ToolTipInstaller(parent);
    qApp->installEventFilter(installer);
    return installer;
}

bool ToolTipInstaller::eventFilter(QObject* watched, QEvent* event) {
    const bool shown = event->type() == QEvent::Show;
    if ((shown || event->type() == QEvent::LanguageChange) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow()) ApplyToolTips(widget);
    }
    return false;
}
