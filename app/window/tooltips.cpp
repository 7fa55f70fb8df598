#include "app/window/tooltips.h"

#include <QApplication>
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
    {"PrinterSettingsDialog", "okButton", "この設定で印刷を始めます"},
    {"PrinterSettingsDialog", "cancelButton", "印刷せずに閉じます"},
    {nullptr, "printerCombo", "印刷に使うプリンタ"},
    {nullptr, "detailButton", "プリンタの詳細設定 (用紙、向きなど)"},
    {nullptr, "aroundButton", "今表示している位置の周辺だけを印刷します"},
    {nullptr, "wholeButton", "チャート全体を印刷します"},
    {nullptr, "roll1Button", "1ページを1段に分けて印刷します"},
    {nullptr, "roll2Button", "1ページを2段に分けて印刷します"},
    {nullptr, "roll3Button", "1ページを3段に分けて印刷します"},
    {nullptr, "roll4Button", "1ページを4段に分けて印刷します"},
    {nullptr, "roll5Button", "1ページを5段に分けて印刷します"},
    {nullptr, "roll6Button", "1ページを6段に分けて印刷します"},
    {nullptr, "dataCheck", "生データの曲線を印刷します"},
    {nullptr, "smoothedCheck", "スムージングしたデータの曲線を印刷します"},
    {nullptr, "peaksCheck", "今のモードの表のピークを印刷します"},
    {nullptr, "allPeaksCheck", "両方の表のピークを印刷します"},
    {nullptr, "magnificationCombo", "印刷の時間軸の拡大率"},
    {nullptr, "rangeCombo", "印刷の電圧のレンジ"},
    // Detection options
    {"DetectionDialog", "okButton", "閾値と検出の有無を決めます"},
    {nullptr, "thresholdEdit",
     "ピークの検出の閾値 (V、0 より大きい値)。既定の 0.005 V "
     "は静かなチャートではノイズにも反応します"},
    {nullptr, "detectBox", "ピークの設定を始めるとき、次のピークを自動で探します"},
    // General settings
    {nullptr, "savePositionBox", "終了時のメインウィンドウの位置と大きさを次回に使います"},
    {nullptr, "maximizeBox", "起動したらメインウィンドウを最大化します"},
    {nullptr, "savePanelsBox", "操作盤の位置を次回に使います"},
    {nullptr, "extendedSplBox", "チャートをいつも拡張SPL (SPL2) の形式で保存します"},
    {nullptr, "uniformZoneBox", "変位レジスタの区間数を毎回尋ねずに下の数を使います"},
    {nullptr, "zoneCountEdit", "変位レジスタの区間数 (dMem)"},
    {nullptr, "closeButton", "設定を決めて閉じます"},
    // Header
    {"HeaderDialog", "okButton", "編集したヘッダを決めます (Ctrl+Z で元に戻せます)"},
    {nullptr, "tagList", "編集するヘッダの項目"},
    {nullptr, "valueEdit", "選んだ項目の値"},
    {nullptr, "spl2Box", "拡張SPL (SPL2) の形式で保存します"},
    // Smoothing
    {nullptr, "widthEdit", "スムージングの幅 (片側のサンプル数)"},
    {nullptr, "maxEdit", "最適化で使う幅の最大"},
    {nullptr, "minEdit", "最適化で使う幅の最小"},
    {nullptr, "functionList", "最適化に使う重み関数"},
    {nullptr, "optimizeRadio", "幅を場所ごとに最適化します"},
    {nullptr, "noOptimizeRadio", "いつも同じ幅でスムージングします"},
    {nullptr, "startButton", "スムージングを始めます (Ctrl+Z で元に戻せます)"},
    // Peak list
    {nullptr, "list1014", "今の表のピーク: 名前、位置、頂点、ベース。ダブルクリックで名前を変更"},
    {nullptr, "select1", "選んだピークを設定し直します (ベースラインから)"},
    {nullptr, "delete1020", "選んだピークを削除します (Ctrl+Z で元に戻せます)"},
    {nullptr, "deleteAll1022", "全てのピークを削除します (Ctrl+Z で元に戻せます)"},
    {nullptr, "close8", "閉じます"},
    // Register intervals, information panel
    {nullptr, "count1082", "記憶した位置から今の位置までを分ける区間の数"},
    {nullptr, "buttons", "OK: この区間数を使う / キャンセル"},
    {nullptr, "comment1037", "チャートのヘッダの内容"},
    // Cursor pad and the two peak-setting panels
    {nullptr, "up", "上へ (↑)"},
    {nullptr, "down", "下へ (↓)"},
    {nullptr, "left", "左へ (←)"},
    {nullptr, "right", "右へ (→)"},
    {nullptr, "outerUp", "大きく上へ (Shift+↑)"},
    {nullptr, "outerDown", "大きく下へ (Shift+↓)"},
    {nullptr, "outerLeft", "大きく左へ (Shift+←)"},
    {nullptr, "outerRight", "大きく右へ (Shift+→)"},
    {nullptr, "setHeight", "ピークの設定: 始める / 決める (Enter)"},
    {nullptr, "cancel", "ピークの設定の中止 (Esc)"},
    {nullptr, "levelUpFast", "ベースラインを大きく傾ける ++ (Ctrl+Space)。ベース点が中心"},
    {nullptr, "levelUp", "ベースラインを傾ける + (Space)。ベース点が中心"},
    {nullptr, "levelDown", "ベースラインを傾ける - (Shift+Space)。ベース点が中心"},
    {nullptr, "levelDownFast", "ベースラインを大きく傾ける -- (Ctrl+Shift+Space)。ベース点が中心"},
    {nullptr, "level", "ベースラインを水平にする (Ctrl+H)"},
    {nullptr, "toCentre", "カーソルが中央にくるようにする (Ctrl+C)"},
    {nullptr, "fromCentre", "中央をカーソル位置にする (Ctrl+M)"},
    {nullptr, "top", "チャートの上の方を表示 (Home)"},
    {nullptr, "btm", "チャートの最小値を下端に (End)"},
    {nullptr, "head", "チャートの先頭へ (Ctrl+Home)"},
    {nullptr, "tail", "チャートの末尾へ (Ctrl+End)"},
    {nullptr, "mem", "表示位置を記憶 (Ctrl+R)"},
    {nullptr, "swap", "記憶した位置と今の位置を入れ替え (Ctrl+W)"},
    {nullptr, "dmem", "記憶した位置から今の位置までを区間に等分 (Ctrl+Tab)"},
    {nullptr, "inc", "1区間進む (Tab)"},
    {nullptr, "dec", "1区間戻る (Shift+Tab)"},
    // Shared names
    {nullptr, "okButton", "決めて閉じます"},
    {nullptr, "cancelButton", "変えずに閉じます"},
    // Help
    {nullptr, "printButton", "表示中のページを印刷します"},
};

const char* const STATUS_TIPS[9] = {"左端のサンプルの名前",
                                    "左端のサンプル番号",
                                    "左端のデータ (V)",
                                    "中央 (ピーク設定中は設定中の点) のサンプルの名前",
                                    "中央 (ピーク設定中は設定中の点) のサンプル番号",
                                    "中央のデータ (ピーク設定中は設定中の点の高さ、V)",
                                    "右端のサンプルの名前",
                                    "右端のサンプル番号",
                                    "右端のデータ (V)"};

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
            return QString::fromUtf8(tip.text);
    return QString();
}

void ApplyToolTips(QWidget* window) {
    if (!window) return;
    const QString name = window->objectName();
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (!child->toolTip().isEmpty() || child->objectName().isEmpty() || !Wanted(child))
            continue;
        const QString tip = ToolTipFor(name, child->objectName());
        if (!tip.isEmpty()) child->setToolTip(tip);
    }
}

QString StatusPartToolTip(int part) {
    return part >= 0 && part < 9 ? QString::fromUtf8(STATUS_TIPS[part]) : QString();
}

ToolTipInstaller* ToolTipInstaller::Install(QObject* parent) {
    auto* installer = new ToolTipInstaller(parent);
    qApp->installEventFilter(installer);
    return installer;
}

bool ToolTipInstaller::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow()) ApplyToolTips(widget);
    }
    return false;
}
