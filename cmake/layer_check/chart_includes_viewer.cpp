// Must not compile: chart/ code cannot see the viewer model.
#include "chart/spl_types.h"
#include "viewer/chart_viewer.h"
