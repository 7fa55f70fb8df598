// Additions to the File menu: pictures of the chart (PNG, SVG, PDF), the peak table as CSV, and
// the charts opened last with the choice to open the last one again at start.
#pragma once

#include <QString>

#include <string>

class QMenu;
class VortanMain;

// Adds the export items and the recent-charts submenu to the File menu.
void AddFileExtras(VortanMain* main, QMenu* file);

// What a picture shows: the chart pane as it is on screen, or samples from..to at the view's range
// in a pane width x height (0: the chart pane's size); with or without the overview below.
struct PictureRequest {
    bool stretch = false;
    bool overview = false;
    long long from = 0;
    long long to = -1;
    int width = 0;
    int height = 0;
};
// Writes the picture to fileName (format by suffix). False with the reason in error on failure.
bool ExportChartPicture(VortanMain* main, const PictureRequest& request, const QString& fileName,
                        QString* error);
// Writes the current peak table as CSV. False with the reason in error on failure.
bool ExportPeakTableCsv(VortanMain* main, const QString& fileName, QString* error);

// A chart was loaded from or saved to path: it goes to the front of the recent list in the
// settings file.
void NoteRecentFile(const std::string& path);
// At start, with no file on the command line and reopening chosen, the newest recent chart becomes
// the one to load; a missing one is dropped from the list with a message.
void ChooseStartChart();
