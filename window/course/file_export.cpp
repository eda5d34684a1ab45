// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course/file_export.h"

#include "window/course/push_button.h"
#include "window/main/app_names.h"

#include <QChartView>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QImageWriter>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <utility>

namespace {

namespace text {
constexpr char csv_caption[] = "Als CSV speichern";
constexpr char csv_filter[] = "CSV-Dateien (*.csv)";
constexpr char image_caption[] = "Bild speichern";
constexpr char image_filter[] = "PNG-Bilder (*.png);;SVG-Grafiken (*.svg)";
constexpr char not_saved[] = "Die Datei konnte nicht gespeichert werden: ";
} // namespace text

// The extension of a file dialog's name filter such as "Bilder (*.png)": "png".
QString suffixOf(const QString& nameFilter) {
    const qsizetype star = nameFilter.indexOf(QLatin1String("*."));
    return star < 0 ? QString() : nameFilter.mid(star + 2).section(u')', 0, 0).section(u' ', 0, 0);
}

} // namespace

void FileExport::setFileNameChooser(FileNameChooser chooser) {
    m_chooseFileName = std::move(chooser);
}

void FileExport::setWarningPresenter(WarningPresenter presenter) {
    m_presentWarning = std::move(presenter);
}

QString FileExport::chooseCsvFile(QWidget* parent, const QString& suggestion) const {
    return chooseFileName(parent, QString::fromUtf8(text::csv_caption), suggestion,
                          QString::fromUtf8(text::csv_filter));
}

QString FileExport::chooseImageFile(QWidget* parent, const QString& suggestion) const {
    return chooseFileName(parent, QString::fromUtf8(text::image_caption), suggestion,
                          QString::fromUtf8(text::image_filter));
}

QString FileExport::chooseFileName(QWidget* parent, const QString& caption,
                                   const QString& suggestion, const QString& filter) const {
    if (m_chooseFileName) {
        return m_chooseFileName(caption, suggestion, filter);
    }
    QFileDialog dialog(parent, caption, suggestion, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension gets the one of the chosen filter.
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& chosen) { dialog.setDefaultSuffix(suffixOf(chosen)); });
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

bool FileExport::saveText(QWidget* parent, const QString& fileName, const std::string& text) const {
    QSaveFile file(fileName);
    const auto size = static_cast<qint64>(text.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), size) != size ||
        !file.commit()) {
        warn(parent, QString::fromUtf8(text::not_saved) + file.errorString());
        return false;
    }
    return true;
}

bool FileExport::saveImage(QWidget* parent, const QString& fileName,
                           const QList<QChartView*>& plots) const {
    QSize size(0, 0);
    for (const QChartView* plot : plots) {
        const QSize plotSize = plot->viewport()->size();
        size = QSize(size.width() + plotSize.width(), std::max(size.height(), plotSize.height()));
    }
    const auto paint = [&](QPainter& painter) {
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        int left = 0;
        for (QChartView* plot : plots) {
            const QSize plotSize = plot->viewport()->size();
            plot->render(&painter, QRectF(QPointF(left, 0), plotSize));
            left += plotSize.width();
        }
    };

    QSaveFile file(fileName);
    bool written = file.open(QIODevice::WriteOnly);
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (written && suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(parent->window()->windowTitle());
        QPainter painter(&svg);
        paint(painter);
        written = painter.end() && file.error() == QFileDevice::NoError;
    } else if (written) {
        const QByteArray format = QImageWriter::supportedImageFormats().contains(suffix.toLatin1())
                                      ? suffix.toLatin1()
                                      : "png";
        const qreal ratio = parent->devicePixelRatioF();
        QImage image(size * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        paint(painter);
        painter.end();
        written = image.save(&file, format.constData());
    }
    if (!written || !file.commit()) {
        warn(parent, QString::fromUtf8(text::not_saved) + file.errorString());
        return false;
    }
    return true;
}

SaveButtons FileExport::addSaveButtons(QBoxLayout* column, QWidget* page,
                                       const SaveButtonNames& names,
                                       std::function<bool(const QString&)> saveCsv,
                                       std::function<bool(const QString&)> saveImage) const {
    auto* row = new QHBoxLayout;
    const SaveButtons buttons{newButton(names.csv, export_text::save_csv, page),
                              newButton(names.image, export_text::save_image, page)};
    const QString stem = QString::fromUtf8(names.fileStem);
    QObject::connect(buttons.csv, &QPushButton::clicked, page, [this, page, stem, saveCsv] {
        const QString fileName = chooseCsvFile(page, stem + QStringLiteral(".csv"));
        if (!fileName.isEmpty()) {
            saveCsv(fileName);
        }
    });
    QObject::connect(buttons.image, &QPushButton::clicked, page, [this, page, stem, saveImage] {
        const QString fileName = chooseImageFile(page, stem + QStringLiteral(".png"));
        if (!fileName.isEmpty()) {
            saveImage(fileName);
        }
    });
    row->addWidget(buttons.csv);
    row->addWidget(buttons.image);
    row->addStretch(1);
    column->addLayout(row);
    return buttons;
}

void FileExport::warn(QWidget* parent, const QString& text) const {
    if (m_presentWarning) {
        m_presentWarning(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(app_names::title), text,
                    QMessageBox::Ok, parent);
    box.exec();
}
