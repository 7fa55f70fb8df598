// The header dialog: the values of the chart's header tags (the comment above all) and whether
// the chart is saved in the extended SPL2 layout. It edits a copy; only OK writes it back.
#pragma once

#include "chart/spl_types.h"

#include "app/dialogs/header_text.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <string>

namespace Ui {
class HeaderDialog;
}

// A tag value as typed, made fit for the chart file: every line break (and NUL) becomes one blank
// (the file keeps a tag on one line; a break would end it and lose the chart's rows), a double
// quote becomes a single one (the writer would cut the value there), and the text is cut to the
// longest value a tag holds, in the file's encoding. Returns the bytes to store.
std::string TagValueFromText(const QString& text, HeaderEncoding encoding = HeaderEncoding::Utf8);

class HeaderDialog : public QDialog {
    Q_OBJECT
  public:
    // chart must have at least one tag.
    HeaderDialog(QWidget* parent, const SplChart& chart);
    ~HeaderDialog() override;

    // OK: keeps the shown value and the layout, then closes.
    void accept() override;

    // Writes the accepted values and version into chart (same tags, same order).
    void StoreInto(SplChart& chart) const;

  private:
    void KeepShownValue();
    void ShowTag(int index);
    void OnSpl2Clicked(bool checked);

    std::unique_ptr<Ui::HeaderDialog> ui;
    std::vector<SplTag> tags; // the copy
    QStringList shown;        // each value as the dialog shows it
    QStringList edited;       // each value as the user left it
    int version = 0;
    HeaderEncoding encoding; // that of the file's values
    int shownTag = 0;
};
