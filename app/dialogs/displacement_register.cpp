#include "app/dialogs/displacement_register.h"

#include "app/panels/panels.h"
#include "app/window/main_window.h"
#include "chart/run_log.h"
#include "chart/settings.h"
#include "viewer/chart_viewer.h"

#include "ui_register_intervals_dialog.h"

#include <QDialog>
#include <QPushButton>

#include <cctype>
#include <climits>

DisplacementRegister Register;

const int RegisterOps[5] = {REG_MEM, REG_SWAP, REG_DIVIDE, REG_INC, REG_DEC};

void DisplacementRegister::Memorise(ViewPoint current) {
    start = current.start;
    top = current.top;
}

ViewPoint DisplacementRegister::Swap(ViewPoint current) {
    ViewPoint memorised{start, top};
    Memorise(current);
    return memorised;
}

bool DisplacementRegister::Divide(ViewPoint current, int intervals) {
    if (intervals < 1) return false;
    // In 64 bits: the distance between two sample indices may exceed int.
    long long distance = static_cast<long long>(current.start) - start;
    const long long quotient = distance / intervals;
    step = quotient > INT_MAX ? INT_MAX : quotient < INT_MIN ? INT_MIN : static_cast<int>(quotient);
    return true;
}

ViewPoint DisplacementRegister::Stepped(ViewPoint current, int direction) const {
    long long target = static_cast<long long>(current.start) + (direction < 0 ? -1LL : 1LL) * step;
    if (target > INT_MAX) target = INT_MAX;
    if (target < INT_MIN) target = INT_MIN;
    return ViewPoint{static_cast<int>(target), current.top};
}

int ParseIntervalCount(const QString& text) {
    const QByteArray bytes = text.left(1024).toLatin1();
    const char* p = bytes.constData();
    while (*p == ' ' || *p == '\t')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long long value = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        value = value * 10 + (*p++ - '0');
        if (value > INT_MAX) value = INT_MAX; // a long run of digits saturates
    }
    if (negative) value = -value;
    return value < 1 ? 1 : static_cast<int>(value);
}

int RegisterIntervalsDialog(QWidget* owner, int memorisedStart, int currentStart) {
    QDialog dialog(owner);
    Ui::RegisterIntervalsDialog ui;
    ui.setupUi(&dialog);
    ui.from1080->setText(QString::asprintf("%d", memorisedStart));
    ui.to1081->setText(QString::asprintf("%d", currentStart));
    ui.count1082->setText(QStringLiteral("1"));
    ui.count1082->setMaxLength(1024);
    ui.count1082->selectAll();
    if (dialog.exec() != QDialog::Accepted) return 0;
    return ParseIntervalCount(ui.count1082->text());
}

int RegisterCommand(VortanMain* main, int, const void* argument) {
    if (!main || !argument) return 0;
    const int op = *static_cast<const int*>(argument);
    ChartView* viewer = main->view();
    const DisplacementRegister memorised = Register;

    ViewPoint current;
    if (!GetCursor(viewer, &current.start, &current.top, nullptr, nullptr)) return 0;

    switch (op) {
    case REG_MEM:
        Register.Memorise(current);
        return 1;
    case REG_SWAP: {
        ViewPoint target = Register.Swap(current);
        SetViewPosition(viewer, target.start, target.top);
        return 1;
    }
    case REG_DIVIDE: {
        int intervals = Settings.uniformZone
                            ? Settings.zoneCount
                            : RegisterIntervalsDialog(main, memorised.start, current.start);
        if (!Register.Divide(current, intervals))
            LogPrint("RegisterCommand: No intervals, step kept.");
        return 1;
    }
    case REG_INC:
    case REG_DEC: {
        ViewPoint target = Register.Stepped(current, op == REG_INC ? +1 : -1);
        SetViewPosition(viewer, target.start, target.top);
        return 1;
    }
    default:
        return 0;
    }
}
