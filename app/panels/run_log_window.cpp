#include "app/panels/run_log_window.h"

#include "chart/run_log.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

void RunLogScroll::Resize(int clientHeight, int lineHeight, int capacity) {
    int visible = lineHeight > 0 ? clientHeight / lineHeight : 0;
    minimum = 1;
    maximum = std::max(1, capacity - visible);
    if (position < 0) position = 1;
    if (position > maximum) position = maximum;
}

void RunLogScroll::Scroll(int code, int thumb, int capacity) {
    switch (code) {
    case LOG_LINE_UP:
    case LOG_PAGE_UP:
        if (topLine > 0) --topLine;
        break;
    case LOG_LINE_DOWN:
    case LOG_PAGE_DOWN:
        if (topLine < capacity - 1) ++topLine;
        break;
    case LOG_THUMB_POSITION:
        topLine = thumb - 1;
        break;
    case LOG_TOP:
        topLine = 0;
        break;
    case LOG_BOTTOM:
        topLine = maximum - 1;
        break;
    default:
        break;
    }
    position = topLine + 1;
}

RunLogWindow* RunLogWindow::Open() {
    if (!OpenLog()) return nullptr;
    auto* window = new RunLogWindow();
    window->show();
    return window;
}

RunLogWindow::RunLogWindow() : QWidget(nullptr) {
    setWindowTitle(QStringLiteral("VORTAN runlog"));
    setAttribute(Qt::WA_DeleteOnClose);
    bar = new QScrollBar(Qt::Vertical, this);
    bar->setTracking(false);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    connect(bar, &QScrollBar::actionTriggered, this, &RunLogWindow::OnAction);
    connect(bar, &QScrollBar::sliderReleased, this,
            [this] { ScrollBy(LOG_THUMB_POSITION, bar->sliderPosition()); });
    resize(300, 200);
    SetLogListener([this](const std::string&) {
        // The new line is drawn before LogPrint returns; a line logged while painting waits for
        // the next paint.
        if (painting) return;
        if (isVisible()) {
            repaint();
        } else {
            update();
        }
    });
}

RunLogWindow::~RunLogWindow() {
    CloseStore();
}

void RunLogWindow::CloseStore() {
    if (!storeOpen) return;
    storeOpen = false;
    SetLogListener(nullptr);
    CloseLog();
}

int RunLogWindow::lineHeight() const {
    return std::max(1, fontMetrics().height());
}

void RunLogWindow::ScrollBy(int code, int thumb) {
    scroll.Scroll(code, thumb, LogCapacity());
    ApplyScroll();
    update();
}

void RunLogWindow::ApplyScroll() {
    QSignalBlocker block(bar);
    bar->setRange(scroll.minimum, scroll.maximum);
    bar->setSliderPosition(scroll.position);
    bar->setValue(scroll.position);
}

void RunLogWindow::OnAction(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        ScrollBy(LOG_LINE_UP);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        ScrollBy(LOG_LINE_DOWN);
        break;
    case QAbstractSlider::SliderPageStepSub:
        ScrollBy(LOG_PAGE_UP);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        ScrollBy(LOG_PAGE_DOWN);
        break;
    case QAbstractSlider::SliderToMinimum:
        ScrollBy(LOG_TOP);
        break;
    case QAbstractSlider::SliderToMaximum:
        ScrollBy(LOG_BOTTOM);
        break;
    default:
        // Dragging the thumb: topLine follows when it is released.
        if (!bar->isSliderDown()) {
            // A wheel turn over the bar moves one line, as a line step.
            int wanted = bar->sliderPosition();
            ScrollBy(wanted < scroll.position ? LOG_LINE_UP : LOG_LINE_DOWN);
        }
        break;
    }
}

void RunLogWindow::paintEvent(QPaintEvent* event) {
    painting = true;
    QPainter painter(this);
    const int height = lineHeight();
    const int ascent = fontMetrics().ascent();
    const std::vector<std::string> lines = LogLines();
    const int capacity = LogCapacity();
    const int bottom = event->rect().bottom();
    int y = 0;
    for (int i = scroll.topLine; i >= 0 && i < capacity; ++i) {
        if (i >= static_cast<int>(lines.size())) break;
        painter.drawText(0, y + ascent, QString::fromLocal8Bit(lines[static_cast<size_t>(i)]));
        y += height;
        if (y > bottom) break;
    }
    painting = false;
}

void RunLogWindow::resizeEvent(QResizeEvent*) {
    const int barWidth = bar->sizeHint().width();
    bar->setGeometry(width() - barWidth, 0, barWidth, height());
    scroll.Resize(height(), lineHeight(), LogCapacity());
    ApplyScroll();
}

void RunLogWindow::closeEvent(QCloseEvent* event) {
    CloseStore();
    event->accept();
}

void RunLogWindow::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta > 0) ScrollBy(LOG_LINE_UP);
    if (delta < 0) ScrollBy(LOG_LINE_DOWN);
    event->accept();
}
