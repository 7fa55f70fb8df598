// Must not compile: the viewer model cannot see the Qt widgets.
#include "viewer/chart_viewer.h"
#include "views/chart_viewer_widget.h"
