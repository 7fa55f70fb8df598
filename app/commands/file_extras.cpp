#include "app/commands/file_extras.h"

#include "app/commands/chart_commands.h"
#include "app/window/language.h"
#include "app/window/main_window.h"
#include "app/window/startup.h"
#include "chart/peak_csv.h"
#include "chart/recent_files.h"
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"
#include "views/chart_export.h"
#include "views/chart_pane.h"
#include "views/chart_viewer_widget.h"
#include "views/index_pane.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

// A menu item whose text follows the language.
QAction* AddItem(QMenu* menu, const char* text) {
    QAction* item = menu->addAction(QString());
    SetTranslatedText(item, "FileExtras", text);
    return item;
}

void ShowMessage(QWidget* owner, QMessageBox::Icon icon, const QString& text) {
    QApplication::beep();
    QMessageBox box(icon, QStringLiteral("Vortan"), text, QMessageBox::Ok, owner);
    box.exec();
}

bool HasChart(VortanMain* main) {
    return main && HasSamples(main->view());
}

// The chart file's name with another suffix, for the save dialogs.
QString ProposedName(const QString& suffix) {
    if (!ChartFileName) return QString();
    const QFileInfo chart(PathFromCore(*ChartFileName));
    return chart.dir().filePath(chart.completeBaseName() + suffix);
}

// The export dialog: the view or a stretch, the picture size and the overview.
std::optional<PictureRequest> AskPicture(VortanMain* main) {
    const CHARTBLOCK& chart = *main->view()->Chart();
    const QSize pane = main->viewer()->chartPane()->size();
    QDialog dialog(main);
    dialog.setWindowTitle(QCoreApplication::translate("FileExtras", "画像に書き出す"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* view = new QRadioButton(QCoreApplication::translate("FileExtras", "表示中のチャート(&V)"),
                                  &dialog);
    auto* stretch =
        new QRadioButton(QCoreApplication::translate("FileExtras", "サンプルの範囲(&R)"), &dialog);
    view->setChecked(true);
    layout->addWidget(view);
    layout->addWidget(stretch);
    auto* form = new QFormLayout;
    auto spin = [&](int lo, int hi, int value) {
        auto* box = new QSpinBox(&dialog);
        box->setRange(lo, hi);
        box->setValue(value);
        box->setEnabled(false);
        QObject::connect(stretch, &QRadioButton::toggled, box, &QWidget::setEnabled);
        return box;
    };
    const int last = chart.sampleCount - 1;
    auto* from = spin(0, last, std::clamp(chart.viewStart, 0, last));
    auto* to = spin(0, last,
                    static_cast<int>(std::clamp<long long>(
                        int64_t{chart.viewStart} + chart.viewWidth - 1, 0, last)));
    auto* width = spin(8, 30000, std::max(pane.width(), 8));
    auto* height = spin(8, 30000, std::max(pane.height(), 8));
    form->addRow(QCoreApplication::translate("FileExtras", "最初のサンプル"), from);
    form->addRow(QCoreApplication::translate("FileExtras", "最後のサンプル"), to);
    form->addRow(QCoreApplication::translate("FileExtras", "幅(ピクセル)"), width);
    form->addRow(QCoreApplication::translate("FileExtras", "高さ(ピクセル)"), height);
    layout->addLayout(form);
    auto* overview =
        new QCheckBox(QCoreApplication::translate("FileExtras", "全体図も入れる(&O)"), &dialog);
    layout->addWidget(overview);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    PictureRequest request;
    request.stretch = stretch->isChecked();
    request.overview = overview->isChecked();
    request.from = std::min(from->value(), to->value());
    request.to = std::max(from->value(), to->value());
    request.width = width->value();
    request.height = height->value();
    return request;
}

void ExportPictureCommand(VortanMain* main) {
    if (!HasChart(main)) {
        ShowMessage(main, QMessageBox::Information,
                    QCoreApplication::translate("FileExtras", "チャートがありません。"));
        return;
    }
    std::optional<PictureRequest> request = AskPicture(main);
    if (!request) return;
    QString filter;
    QString name = QFileDialog::getSaveFileName(
        main, QCoreApplication::translate("FileExtras", "画像に書き出す"),
        ProposedName(QStringLiteral(".png")),
        QStringLiteral("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)"), &filter);
    if (name.isEmpty()) return;
    if (!PictureFormatOf(name)) name += QLatin1Char('.') + filter.left(3).toLower();
    QString error;
    if (!ExportChartPicture(main, *request, name, &error))
        ShowMessage(
            main, QMessageBox::Warning,
            QCoreApplication::translate("FileExtras", "画像を書き出せませんでした。\n%1\n%2")
                .arg(name, error));
}

void ExportCsvCommand(VortanMain* main) {
    if (HasChart(main) && GetChartMode(main->view()) != CHART_MODE_VIEW) {
        ShowMessage(main, QMessageBox::Information,
                    QCoreApplication::translate("FileExtras", "ピークの設定中は書き出せません。"));
        return;
    }
    int count = 0;
    std::unique_ptr<PeakEntry[]> peaks =
        HasChart(main) ? GetPeakList(main->view(), &count) : nullptr;
    if (!peaks || count < 1) {
        ShowMessage(main, QMessageBox::Information,
                    QCoreApplication::translate("FileExtras", "ピークがありません。"));
        return;
    }
    QString name = QFileDialog::getSaveFileName(
        main, QCoreApplication::translate("FileExtras", "ピークをCSVに書き出す"),
        ProposedName(QStringLiteral(".csv")), QStringLiteral("CSV (*.csv)"));
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".csv");
    QString error;
    if (!ExportPeakTableCsv(main, name, &error))
        ShowMessage(
            main, QMessageBox::Warning,
            QCoreApplication::translate("FileExtras", "CSVファイルを書き出せませんでした。\n%1\n%2")
                .arg(name, error));
}

// The missing file is taken off the list and the user told so.
void DropMissing(QWidget* owner, const std::string& path) {
    const std::string ini = SettingsFilePath();
    SaveRecentFiles(ini, DropRecentFile(LoadRecentFiles(ini), path));
    ShowMessage(owner, QMessageBox::Information,
                QCoreApplication::translate(
                    "FileExtras",
                    "ファイルが見つからないので、最近開いたチャートの一覧から外しました。\n%1")
                    .arg(PathFromCore(path)));
}

void OpenRecent(VortanMain* main, const std::string& path) {
    if (!main->ConfirmDiscardChanges()) return;
    if (!QFileInfo::exists(PathFromCore(path))) {
        DropMissing(main, path);
        return;
    }
    LoadChart(main, path);
}

void FillRecentMenu(VortanMain* main, QMenu* menu) {
    menu->clear();
    const std::string ini = SettingsFilePath();
    const std::vector<std::string> list = LoadRecentFiles(ini);
    int n = 0;
    for (const std::string& path : list) {
        QString shown = PathFromCore(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(shown));
        QObject::connect(item, &QAction::triggered, main, [main, path] { OpenRecent(main, path); });
    }
    if (list.empty()) AddItem(menu, QT_TRANSLATE_NOOP("FileExtras", "(なし)"))->setEnabled(false);
    menu->addSeparator();
    QAction* reopen =
        AddItem(menu, QT_TRANSLATE_NOOP("FileExtras", "起動時に最後のチャートを開く"));
    reopen->setCheckable(true);
    reopen->setChecked(LoadReopenLast(ini));
    QObject::connect(reopen, &QAction::toggled, main,
                     [](bool on) { SaveReopenLast(SettingsFilePath(), on); });
    QAction* clear = AddItem(menu, QT_TRANSLATE_NOOP("FileExtras", "一覧を消す"));
    clear->setEnabled(!list.empty());
    QObject::connect(clear, &QAction::triggered, main,
                     [] { SaveRecentFiles(SettingsFilePath(), {}); });
}

} // namespace

void AddFileExtras(VortanMain* main, QMenu* file) {
    QAction* picture = AddItem(file, QT_TRANSLATE_NOOP("FileExtras", "画像に書き出す(&E)..."));
    picture->setObjectName(QStringLiteral("exportPicture"));
    QObject::connect(picture, &QAction::triggered, main, [main] { ExportPictureCommand(main); });
    QAction* csv = AddItem(file, QT_TRANSLATE_NOOP("FileExtras", "ピークをCSVに書き出す(&V)..."));
    csv->setObjectName(QStringLiteral("exportCsv"));
    QObject::connect(csv, &QAction::triggered, main, [main] { ExportCsvCommand(main); });
    QMenu* recent = file->addMenu(QString());
    SetTranslatedText(recent->menuAction(), "FileExtras",
                      QT_TRANSLATE_NOOP("FileExtras", "最近開いたチャート(&R)"));
    recent->setObjectName(QStringLiteral("recentCharts"));
    QObject::connect(recent, &QMenu::aboutToShow, main,
                     [main, recent] { FillRecentMenu(main, recent); });
    FillRecentMenu(main, recent);
}

bool ExportChartPicture(VortanMain* main, const PictureRequest& request, const QString& fileName,
                        QString* error) {
    if (!HasChart(main)) {
        if (error) *error = QCoreApplication::translate("FileExtras", "チャートがありません。");
        return false;
    }
    ChartViewerWidget* viewer = main->viewer();
    const QSize pane = viewer->chartPane()->size();
    // The overview below the pane, as tall as the index pane, with the row between them.
    const int overview = request.overview ? viewer->indexPane()->height() + 1 : 0;
    if (!request.stretch) {
        ChartView* view = main->view();
        return SavePicture(
            fileName, PictureSize(pane, overview),
            [&](QPainter& p) {
                PaintChartPicture(p, *view, viewer->pyramids(), pane, overview,
                                  viewer->axesShown());
            },
            error);
    }
    StretchOptions options;
    options.from = request.from;
    options.to = request.to;
    options.range = main->view()->Chart()->range;
    options.width = request.width > 0 ? request.width : pane.width();
    options.height = request.height > 0 ? request.height : pane.height();
    options.overviewHeight = overview;
    StretchPicture picture;
    const CHARTBLOCK& chart = *main->view()->Chart();
    if (!picture.Set(chart.rows, chart.flags, options, error)) return false;
    return SavePicture(
        fileName, picture.size(), [&](QPainter& p) { picture.Paint(p); }, error);
}

bool ExportPeakTableCsv(VortanMain* main, const QString& fileName, QString* error) {
    int count = 0;
    std::unique_ptr<PeakEntry[]> peaks =
        HasChart(main) ? GetPeakList(main->view(), &count) : nullptr;
    if (!peaks || count < 1) {
        if (error) *error = QCoreApplication::translate("FileExtras", "ピークがありません。");
        return false;
    }
    const CHARTBLOCK& chart = *main->view()->Chart();
    const auto rows = PeakCsvRows(peaks.get(), count, chart.rows, main->view()->PeakMode());
    std::string why;
    if (WritePeakCsv(PathToCore(fileName), rows, &why)) return true;
    if (error) *error = QString::fromStdString(why);
    return false;
}

void NoteRecentFile(const std::string& path) {
    const QString absolute = QFileInfo(PathFromCore(path)).absoluteFilePath();
    const std::string ini = SettingsFilePath();
    SaveRecentFiles(ini, PushRecentFile(LoadRecentFiles(ini), PathToCore(absolute)));
}

void ChooseStartChart() {
    if (ChartFileName) return;
    const std::string ini = SettingsFilePath();
    if (!LoadReopenLast(ini)) return;
    const std::vector<std::string> list = LoadRecentFiles(ini);
    if (list.empty()) return;
    if (!QFileInfo::exists(PathFromCore(list.front()))) {
        DropMissing(nullptr, list.front());
        return;
    }
    ChartFileName = list.front();
}
