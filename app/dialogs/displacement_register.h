// The displacement register: one memorised view position plus a step width in samples. The
// arithmetic lives in DisplacementRegister so that it can be checked without a window; the
// handler behind the pad buttons Mem, M<->P, dMem, Inc and Dec reads and moves the viewer.
#pragma once

class QString;
class QWidget;

// Register operations, in the order of the command table's arguments.
enum RegisterOp { REG_MEM = 0, REG_SWAP = 1, REG_DIVIDE = 2, REG_INC = 3, REG_DEC = 4 };

struct ViewPoint {
    int start = 0;    // sample index of the view's left edge
    double top = 0.0; // volts at the view's top edge
};

class DisplacementRegister {
  public:
    int start = 0;    // memorised view start, samples
    double top = 0.0; // memorised view top, volts
    int step = 0;     // interval, samples

    // Memorises current.
    void Memorise(ViewPoint current);
    // Where M<->P moves the view: the memorised position. The register then holds current, so
    // that a second swap jumps back.
    ViewPoint Swap(ViewPoint current);
    // Divides the distance from the memorised start to current.start into intervals; intervals
    // below 1 (a cancelled dialog) keep the previous step. Returns whether the step changed.
    bool Divide(ViewPoint current, int intervals);
    // Where Inc (+1) or Dec (-1) moves the view from current.
    ViewPoint Stepped(ViewPoint current, int direction) const;
};

// The process-wide register, all zero at start; not saved between runs.
extern DisplacementRegister Register;

// The leading decimal integer of text (leading blanks skipped, optional sign; no digits gives 0),
// raised to 1 when below 1.
int ParseIntervalCount(const QString& text);

// Dialog 121: shows the memorised and the current start and asks for the number of intervals.
// Returns at least 1, or 0 when cancelled.
int RegisterIntervalsDialog(QWidget* owner, int memorisedStart, int currentStart);
