// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <string>

class QBoxLayout;
class QChartView;
class QPushButton;
class QWidget;

// The captions of the buttons that save a page's table and its plots.
namespace export_text {
inline constexpr char save_csv[] = "Als CSV speichern…";
inline constexpr char save_image[] = "Bild speichern…";
} // namespace export_text

// The object names of a page's two save buttons, and the name, without extension, of the files
// they suggest.
struct SaveButtonNames {
    const char* csv;
    const char* image;
    const char* fileStem;
};

struct SaveButtons {
    QPushButton* csv;
    QPushButton* image;
};

// How the course window's pages save files: asking for a name, writing whole files only, and
// warning when that fails. Tests put their own file names and warnings in.
class FileExport {
public:
    // Asks for the name of a file to write: caption, suggested name, filter; empty cancels.
    using FileNameChooser = std::function<QString(const QString& caption, const QString& suggestion,
                                                  const QString& filter)>;
    using WarningPresenter = std::function<void(const QString& text)>;

    // Asks for file names through `chooser` instead of a file dialog; empty restores the dialog.
    void setFileNameChooser(FileNameChooser chooser);
    // Shows warnings through `presenter` instead of a message box; empty restores the box.
    void setWarningPresenter(WarningPresenter presenter);

    // The name of a CSV file or an image to write, suggesting `suggestion`; empty when cancelled.
    QString chooseCsvFile(QWidget* parent, const QString& suggestion) const;
    QString chooseImageFile(QWidget* parent, const QString& suggestion) const;

    // Writes the text as the whole file, or leaves the file as it was and warns; false then.
    bool saveText(QWidget* parent, const QString& fileName, const std::string& text) const;
    // Writes the plots side by side as SVG or, by any other extension, as an image; false after
    // a warning.
    bool saveImage(QWidget* parent, const QString& fileName, const QList<QChartView*>& plots) const;

    void warn(QWidget* parent, const QString& text) const;

    // Adds to `column` a row with the buttons that save `page`'s table and its plots: each asks
    // for a file name, suggesting the stem with ".csv" or ".png", and passes it to its function.
    SaveButtons addSaveButtons(QBoxLayout* column, QWidget* page, const SaveButtonNames& names,
                               std::function<bool(const QString&)> saveCsv,
                               std::function<bool(const QString&)> saveImage) const;

private:
    QString chooseFileName(QWidget* parent, const QString& caption, const QString& suggestion,
                           const QString& filter) const;

    FileNameChooser m_chooseFileName;
    WarningPresenter m_presentWarning;
};
