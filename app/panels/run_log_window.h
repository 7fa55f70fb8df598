// The run log window "VORTAN runlog": shows the run log's stored lines from topLine down, with a
// vertical scroll bar whose range follows the slot count (not the stored lines) and a view that
// does not follow new lines.
#pragma once

#include <QWidget>

class QScrollBar;

// Scroll codes of the log window's scroll bar.
enum LogScrollCode {
    LOG_LINE_UP = 0,
    LOG_LINE_DOWN = 1,
    LOG_PAGE_UP = 2,
    LOG_PAGE_DOWN = 3,
    LOG_THUMB_POSITION = 4,
    LOG_THUMB_TRACK = 5,
    LOG_TOP = 6,
    LOG_BOTTOM = 7,
    LOG_END_SCROLL = 8,
};

// The scroll state of the log window, apart from any widget.
struct RunLogScroll {
    int topLine = 0; // slot drawn at the top
    int minimum = 1;
    int maximum = 1;
    int position = 1;

    // A new client height: the range becomes 1 .. max(1, capacity - visible lines); topLine stays.
    void Resize(int clientHeight, int lineHeight, int capacity);
    // One scroll message; thumb is the thumb position for LOG_THUMB_POSITION.
    void Scroll(int code, int thumb, int capacity);
};

class RunLogWindow : public QWidget {
    Q_OBJECT
  public:
    // Opens the run log and its window (300 x 200). Returns null when the log is already open.
    static RunLogWindow* Open();
    ~RunLogWindow() override;

    const RunLogScroll& scrollState() const { return scroll; }
    QScrollBar* scrollBar() const { return bar; }
    int lineHeight() const;
    // Runs one scroll message as the scroll bar would.
    void ScrollBy(int code, int thumb = 0);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    RunLogWindow();
    void ApplyScroll();
    void OnAction(int action);
    void CloseStore();

    QScrollBar* bar = nullptr;
    RunLogScroll scroll;
    bool painting = false;
    bool storeOpen = true;
};
