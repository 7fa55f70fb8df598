#include "app/dialogs/about_box.h"

#include "app/panels/panels.h"
#include "app/window/main_window.h"

#include "ui_about_box.h"

#include <QCloseEvent>
#include <QDialog>
#include <QIcon>

namespace {

// Only "閉じる" closes the box; Esc is ignored.
class AboutDialog : public QDialog {
  public:
    using QDialog::QDialog;
    void reject() override {}

  protected:
    // The close box closes like "閉じる".
    void closeEvent(QCloseEvent*) override { done(0); }
};

} // namespace

QString BuildDateText() {
    // __DATE__ pads a one-digit day with a blank: "Dec  6 2026".
    return QString::fromLatin1(__DATE__).simplified();
}

int ShowAboutBox(VortanMain* main, int, const void*) {
    AboutDialog dialog(main);
    Ui::AboutBox ui;
    ui.setupUi(&dialog);
    const QIcon icon = main ? main->windowIcon() : QIcon(QStringLiteral(":/vortan.png"));
    ui.icon114->setPixmap(icon.pixmap(32, 32));
    ui.version1025->setText(QString::fromLatin1(ABOUT_VERSION));
    ui.date1026->setText(BuildDateText());
    QObject::connect(ui.close8, &QPushButton::clicked, &dialog, [&dialog] { dialog.done(0); });
    dialog.exec();
    return 1;
}
