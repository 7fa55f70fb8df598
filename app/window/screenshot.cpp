// A developer's aid: pictures of the real window, for checking the layout without a screen.
#include "app/window/main_window.h"
#include "app/window/startup.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>

void ScheduleScreenshot(VortanMain* main, const QString& path) {
    QTimer::singleShot(1500, main, [main, path] {
        main->grab().save(path);
        const QList<QAction*> menus = main->menuBar()->actions();
        QString base = path;
        if (base.endsWith(QStringLiteral(".png"))) base.chop(4);
        int n = 0;
        for (QAction* action : menus) {
            QMenu* menu = action->menu();
            if (!menu) continue;
            menu->popup(main->mapToGlobal(QPoint(0, 0)));
            menu->grab().save(QStringLiteral("%1-menu%2.png").arg(base).arg(++n));
            menu->hide();
        }
        QApplication::quit();
    });
}
