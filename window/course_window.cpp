// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/course_window.h"

#include "calc/course.h"
#include "window/app_names.h"
#include "window/number_locale.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QSvgGenerator>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

namespace {

namespace text {
constexpr char title[] = "Verlauf";
constexpr char rk4_series[] = "Runge-Kutta-4. Ord.";
constexpr char exact_series[] = "exakte Lösung";
constexpr char error_series[] = "Fehler";
constexpr char x_axis[] = "x";
constexpr char y_axis[] = "y";
constexpr char save_csv[] = "Als CSV speichern…";
constexpr char save_image[] = "Bild speichern…";
constexpr char close[] = "Schließen";
constexpr char copy[] = "Kopieren";
constexpr char csv_caption[] = "Als CSV speichern";
constexpr char csv_suggestion[] = "Verlauf.csv";
constexpr char csv_filter[] = "CSV-Dateien (*.csv)";
constexpr char image_caption[] = "Bild speichern";
constexpr char image_suggestion[] = "Verlauf.png";
constexpr char image_filter[] = "PNG-Bilder (*.png);;SVG-Grafiken (*.svg)";
constexpr char not_saved[] = "Die Datei konnte nicht gespeichert werden: ";
} // namespace text

// Rows the table shows at the default size, and the plots' height in lines of text.
constexpr int visible_rows = 10;
constexpr int plot_lines = 20;
// Axis ranges stay this far inside the doubles, so that their spans are finite too.
constexpr double axis_limit = std::numeric_limits<double>::max() / 4;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The text with every digit as 0: texts of one shape are equally wide, as digits are.
QString shapeOf(QString text) {
    for (QChar& c : text) {
        if (c.isDigit()) {
            c = u'0';
        }
    }
    return text;
}

// The extension of a file dialog's name filter such as "Bilder (*.png)": "png".
QString suffixOf(const QString& nameFilter) {
    const qsizetype star = nameFilter.indexOf(QLatin1String("*."));
    return star < 0 ? QString() : nameFilter.mid(star + 2).section(u')', 0, 0).section(u' ', 0, 0);
}

struct Range {
    double low;
    double high;
};

// The smallest range holding the finite values, if there are any.
std::optional<Range> rangeOf(const std::vector<double>& values) {
    std::optional<Range> range;
    for (const double value : values) {
        if (!std::isfinite(value)) {
            continue;
        }
        range = range ? Range{std::min(range->low, value), std::max(range->high, value)}
                      : Range{value, value};
    }
    return range;
}

// The range widened by a margin on each side, within the axis limits.
Range withMargin(std::optional<Range> range) {
    if (!range) {
        return {-1, 1};
    }
    // 5 % of the span; a tenth of the value around a single value, and 1 around zero.
    const double magnitude = std::max(std::fabs(range->low), std::fabs(range->high));
    double margin = range->low < range->high
                        ? std::max((range->high / 2 - range->low / 2) / 10, magnitude * 1e-12)
                        : magnitude / 10;
    if (!(margin > 0)) {
        margin = 1;
    }
    return {std::clamp(range->low - margin, -axis_limit, axis_limit),
            std::clamp(range->high + margin, -axis_limit, axis_limit)};
}

// The part of the segment from a to b whose ordinate lies within the band, if any.
std::optional<std::pair<QPointF, QPointF>> clipToBand(QPointF a, QPointF b, Range band) {
    const double dy = b.y() - a.y();
    double from = 0;
    double to = 1;
    if (dy == 0) {
        if (a.y() < band.low || a.y() > band.high) {
            return std::nullopt;
        }
    } else {
        const double t1 = (band.low - a.y()) / dy;
        const double t2 = (band.high - a.y()) / dy;
        from = std::max(from, std::min(t1, t2));
        to = std::min(to, std::max(t1, t2));
        if (!(from <= to)) {
            return std::nullopt;
        }
    }
    const auto at = [&](double t) {
        if (t == 0) {
            return a;
        }
        if (t == 1) {
            return b;
        }
        return QPointF(a.x() + (b.x() - a.x()) * t,
                       std::clamp(a.y() + dy * t, band.low, band.high));
    };
    return std::pair{at(from), at(to)};
}

// The curve through the points as unbroken pieces within the band: a piece ends where the
// curve leaves the band, at the band's edge, so that the visible part is drawn exactly.
std::vector<QList<QPointF>> piecesWithin(const std::vector<QPointF>& points, Range band) {
    std::vector<QList<QPointF>> pieces;
    if (points.size() == 1 && points[0].y() >= band.low && points[0].y() <= band.high) {
        pieces.push_back({points[0]});
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        const auto part = clipToBand(points[i - 1], points[i], band);
        if (!part) {
            continue;
        }
        if (pieces.empty() || pieces.back().back() != part->first) {
            pieces.push_back({part->first});
        }
        pieces.back().append(part->second);
    }
    return pieces;
}

// Consecutive rows that have an error, each run as one piece.
std::vector<QList<QPointF>> errorPieces(const calc::Course& course) {
    std::vector<QList<QPointF>> pieces;
    bool continues = false;
    for (const calc::CourseRow& row : course.rows) {
        if (!row.error || !std::isfinite(row.point.x)) {
            continues = false;
            continue;
        }
        if (!continues) {
            pieces.emplace_back();
        }
        pieces.back().append({row.point.x, *row.error});
        continues = true;
    }
    return pieces;
}

QCategoryAxis* addAxis(QChart* chart, const char* title, Qt::Alignment side) {
    auto* axis = new QCategoryAxis(chart);
    axis->setTitleText(QString::fromUtf8(title));
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTruncateLabels(false);
    chart->addAxis(axis, side);
    return axis;
}

// Adds the pieces as line series of one name, listed once in the legend.
void addPieces(QChart* chart, const std::vector<QList<QPointF>>& pieces, const QString& name,
               const QPen& pen) {
    bool first = true;
    for (const QList<QPointF>& piece : pieces) {
        auto* series = new QLineSeries(chart);
        series->setName(name);
        series->setPen(pen);
        series->replace(piece);
        chart->addSeries(series);
        if (!first) {
            for (QLegendMarker* marker : chart->legend()->markers(series)) {
                marker->setVisible(false);
            }
        }
        first = false;
    }
}

QChart* newChart(const QLocale& locale) {
    auto* chart = new QChart;
    // Axis numbers as the locale writes them, without grouping, like the table's.
    QLocale axisLocale = locale;
    axisLocale.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocalizeNumbers(true);
    chart->setLocale(axisLocale);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    return chart;
}

// Sets the range and labels round values within it, 1, 2 or 5 times a power of ten apart, each
// computed as a multiple of that step, so that zero is exactly zero; the labels have enough
// digits to tell them apart, in the chart's locale.
void setRange(QCategoryAxis* axis, Range range, const QLocale& locale) {
    axis->setRange(range.low, range.high);
    axis->setStartValue(range.low);
    const double span = range.high - range.low;
    if (!std::isfinite(span) || !(span > 0)) {
        return;
    }
    const double rough = span / 6;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    }
    if (!std::isfinite(step) || !(step > 0) || span / step > 10) {
        return;
    }
    const double magnitude = std::max(std::fabs(range.low), std::fabs(range.high));
    const int digits =
        std::clamp(static_cast<int>(std::ceil(std::log10(magnitude / step))) + 1, 3, 15);
    for (double k = std::ceil(range.low / step); k * step <= range.high; ++k) {
        const double value = k * step + 0.0; // -0 from ceil(-0.25) reads as 0
        axis->append(locale.toString(value, 'G', digits), value);
    }
}

// Axes that span the ranges; set after the series are attached, as attaching replaces a span
// that Qt Charts takes for zero (below 1e-12) by the series' own.
void addAxes(QChart* chart, const char* yTitle, Range x, Range y) {
    QCategoryAxis* xAxis = addAxis(chart, text::x_axis, Qt::AlignBottom);
    QCategoryAxis* yAxis = addAxis(chart, yTitle, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    }
    setRange(xAxis, x, chart->locale());
    setRange(yAxis, y, chart->locale());
}

QChartView* newChartView(QChart* chart, const char* name, QWidget* parent) {
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    // The plots only show; Tab goes from the table to the buttons.
    view->setFocusPolicy(Qt::NoFocus);
    return view;
}

} // namespace

CourseWindow::CourseWindow(const calc::Course& course, const QLocale& locale, QWidget* parent)
    : QWidget(parent, Qt::Window), m_csv(calc::course_csv(course, calcNumberLocale(locale))) {
    setObjectName(text::title);
    setWindowTitle(QString::fromUtf8(text::title));
    setAttribute(Qt::WA_DeleteOnClose);
    new QVBoxLayout(this);
    const calc::NumberLocale numberLocale = calcNumberLocale(locale);
    createHeading(course, numberLocale);
    createTable(course, numberLocale);
    createPlots(course, locale);
    createButtons();
    resize(defaultSize());
}

void CourseWindow::setFileNameChooser(FileNameChooser chooser) {
    m_chooseFileName = std::move(chooser);
}

void CourseWindow::setWarningPresenter(WarningPresenter presenter) {
    m_presentWarning = std::move(presenter);
}

void CourseWindow::createHeading(const calc::Course& course, const calc::NumberLocale& locale) {
    auto* heading = new QLabel(fromUtf8(calc::course_heading(course, locale)), this);
    heading->setObjectName("Aufgabe");
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    layout()->addWidget(heading);
}

void CourseWindow::createTable(const calc::Course& course, const calc::NumberLocale& locale) {
    const int columns = static_cast<int>(std::size(calc::course_columns));
    m_table = new QTableWidget(static_cast<int>(course.rows.size()), columns, this);
    m_table->setObjectName("Tabelle");
    m_table->setAccessibleName(QString::fromUtf8(text::title));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setWordWrap(false);
    // Tab leaves the table for the buttons; the arrow keys move between cells.
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    QStringList captions;
    for (const std::string_view caption : calc::course_columns) {
        captions.append(fromUtf8(caption));
    }
    m_table->setHorizontalHeaderLabels(captions);

    // The shapes of the longest texts of each column, measured below instead of every cell.
    std::vector<QStringList> longest(static_cast<std::size_t>(columns));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const std::vector<std::string> cells =
            calc::course_cells(course.rows[static_cast<std::size_t>(row)], locale);
        for (int column = 0; column < columns; ++column) {
            const QString text = fromUtf8(cells[static_cast<std::size_t>(column)]);
            auto* item = new QTableWidgetItem(text);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column, item);
            QStringList& candidates = longest[static_cast<std::size_t>(column)];
            if (candidates.isEmpty() || text.size() > candidates.front().size()) {
                candidates = {shapeOf(text)};
            } else if (text.size() == candidates.front().size() &&
                       !candidates.contains(shapeOf(text))) {
                candidates.append(shapeOf(text));
            }
        }
    }
    fitColumns(longest);

    auto* copy = new QAction(QString::fromUtf8(text::copy), m_table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    m_table->addAction(copy);
    m_table->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, &CourseWindow::copySelectedCells);
    layout()->addWidget(m_table);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_table, 1);

    auto* order = new QLabel(fromUtf8(calc::order_text(course, locale)), this);
    order->setObjectName("Ordnung");
    layout()->addWidget(order);
    if (const std::string pole = calc::pole_text(course, locale); !pole.empty()) {
        auto* note = new QLabel(fromUtf8(pole), this);
        note->setObjectName("Pol");
        layout()->addWidget(note);
    }
}

// Near a pole the exact solution blows up; the y range then follows the Runge-Kutta points
// alone, and the exact curve is cut where it leaves the plot well outside that range.
void CourseWindow::createPlots(const calc::Course& course, const QLocale& locale) {
    std::vector<double> xs;
    std::vector<double> ys;
    QList<QPointF> rk4Points;
    for (const calc::CourseRow& row : course.rows) {
        xs.push_back(row.point.x);
        ys.push_back(row.point.y);
        if (std::isfinite(row.point.x) && std::isfinite(row.point.y)) {
            rk4Points.append({row.point.x, row.point.y});
        }
    }
    std::vector<QPointF> exactPoints;
    for (const calc::Point& sample : course.exact_samples) {
        if (std::isfinite(sample.x) && std::isfinite(sample.y)) {
            exactPoints.emplace_back(sample.x, sample.y);
            if (!course.pole) {
                ys.push_back(sample.y);
            }
        }
    }
    const Range xRange = withMargin(rangeOf(xs));
    const Range yRange = withMargin(rangeOf(ys));
    const double span = yRange.high / 2 - yRange.low / 2;
    const Range band{std::max(yRange.low - span, -axis_limit),
                     std::min(yRange.high + span, axis_limit)};

    QChart* chart = newChart(locale);
    auto* rk4 = new QLineSeries(chart);
    rk4->setName(QString::fromUtf8(text::rk4_series));
    rk4->setPointsVisible(true);
    rk4->setMarkerSize(6);
    rk4->replace(rk4Points);
    chart->addSeries(rk4);
    addPieces(chart, piecesWithin(exactPoints, band), QString::fromUtf8(text::exact_series),
              QPen(QColor(0xd0, 0x40, 0x20), 1.5));
    addAxes(chart, text::y_axis, xRange, yRange);

    QChart* errorChart = newChart(locale);
    const std::vector<QList<QPointF>> errors = errorPieces(course);
    std::vector<double> errorValues;
    for (const QList<QPointF>& piece : errors) {
        for (const QPointF& point : piece) {
            errorValues.push_back(point.y());
        }
    }
    addPieces(errorChart, errors, QString::fromUtf8(text::error_series),
              QPen(QColor(0x20, 0x80, 0x40), 1.5));
    addAxes(errorChart, text::error_series, xRange, withMargin(rangeOf(errorValues)));

    auto* plots = new QWidget(this);
    auto* row = new QHBoxLayout(plots);
    row->setContentsMargins(0, 0, 0, 0);
    m_plot = newChartView(chart, "Diagramm", plots);
    m_errorPlot = newChartView(errorChart, "Fehlerdiagramm", plots);
    row->addWidget(m_plot);
    row->addWidget(m_errorPlot);
    layout()->addWidget(plots);
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(plots, 1);
}

void CourseWindow::createButtons() {
    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const char* name, const char* caption) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    connect(addButton("csvSpeichern", text::save_csv), &QPushButton::clicked, this,
            &CourseWindow::chooseCsvFile);
    connect(addButton("bildSpeichern", text::save_image), &QPushButton::clicked, this,
            &CourseWindow::chooseImageFile);
    buttons->addStretch(1);
    connect(addButton("schliessen", text::close), &QPushButton::clicked, this, &QWidget::close);
    static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
}

// Each column as wide as its caption or its widest text; measuring every cell the way
// resizeColumnsToContents does would take most of the time the window needs to open.
void CourseWindow::fitColumns(const std::vector<QStringList>& longest) {
    const QFontMetrics metrics = m_table->fontMetrics();
    // The item view's text margins: a focus frame margin and a pixel on each side.
    const int padding =
        2 * (m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1) +
        metrics.averageCharWidth();
    for (int column = 0; column < m_table->columnCount(); ++column) {
        int width = m_table->horizontalHeader()->sectionSizeHint(column);
        for (const QString& text : longest[static_cast<std::size_t>(column)]) {
            width = std::max(width, metrics.horizontalAdvance(text) + padding);
        }
        m_table->setColumnWidth(column, width);
    }
}

// The whole table width, some rows of it and the plots below, within the screen's free area.
QSize CourseWindow::defaultSize() const {
    int tableWidth = 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_table->columnCount(); ++column) {
        tableWidth += m_table->columnWidth(column);
    }
    const int rows = std::min(visible_rows, std::max(1, m_table->rowCount()));
    const int tableHeight = 2 * m_table->frameWidth() +
                            m_table->horizontalHeader()->sizeHint().height() +
                            rows * m_table->verticalHeader()->defaultSectionSize();
    const int plotHeight = plot_lines * fontMetrics().height();

    const QMargins margins = layout()->contentsMargins();
    const int spacing = layout()->spacing();
    int height = margins.top() + margins.bottom();
    int width = 0;
    for (int i = 0; i < layout()->count(); ++i) {
        QLayoutItem* item = layout()->itemAt(i);
        const QWidget* widget = item->widget();
        if (widget == m_table) {
            height += tableHeight;
        } else if (widget == m_plot->parentWidget()) {
            height += plotHeight;
        } else {
            height += item->sizeHint().height();
            width = std::max(width, item->sizeHint().width());
        }
        height += i > 0 ? spacing : 0;
    }
    width = std::max(width, tableWidth) + margins.left() + margins.right();

    // Room for the frame and title bar that the desktop adds.
    const QSize frame(16, 48);
    const QSize available =
        screen() ? screen()->availableGeometry().size() - frame : QSize(width, height);
    return QSize(width, height).boundedTo(available);
}

// The cells of the rows and columns that hold a selected cell, a line per row, tab-separated;
// cells in that grid that are not selected stay empty.
void CourseWindow::copySelectedCells() {
    std::set<int> rows;
    std::set<int> columns;
    for (const QModelIndex& index : m_table->selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
        columns.insert(index.column());
    }
    if (rows.empty()) {
        return;
    }
    QStringList lines;
    for (const int row : rows) {
        QStringList cells;
        for (const int column : columns) {
            const QTableWidgetItem* item = m_table->item(row, column);
            cells.append(item && item->isSelected() ? item->text() : QString());
        }
        lines.append(cells.join(u'\t'));
    }
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
}

void CourseWindow::chooseCsvFile() {
    const QString fileName = chooseFileName(QString::fromUtf8(text::csv_caption),
                                            QString::fromUtf8(text::csv_suggestion),
                                            QString::fromUtf8(text::csv_filter));
    if (!fileName.isEmpty()) {
        saveCsv(fileName);
    }
}

void CourseWindow::chooseImageFile() {
    const QString fileName = chooseFileName(QString::fromUtf8(text::image_caption),
                                            QString::fromUtf8(text::image_suggestion),
                                            QString::fromUtf8(text::image_filter));
    if (!fileName.isEmpty()) {
        saveImage(fileName);
    }
}

QString CourseWindow::chooseFileName(const QString& caption, const QString& suggestion,
                                     const QString& filter) {
    if (m_chooseFileName) {
        return m_chooseFileName(caption, suggestion, filter);
    }
    QFileDialog dialog(this, caption, suggestion, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension gets the one of the chosen filter.
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& chosen) { dialog.setDefaultSuffix(suffixOf(chosen)); });
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

bool CourseWindow::saveCsv(const QString& fileName) {
    QSaveFile file(fileName);
    const auto size = static_cast<qint64>(m_csv.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(m_csv.data(), size) != size ||
        !file.commit()) {
        warn(QString::fromUtf8(text::not_saved) + file.errorString());
        return false;
    }
    return true;
}

bool CourseWindow::saveImage(const QString& fileName) {
    const QSize plotSize = m_plot->viewport()->size();
    const QSize errorSize = m_errorPlot->viewport()->size();
    const QSize size(plotSize.width() + errorSize.width(),
                     std::max(plotSize.height(), errorSize.height()));
    const auto paint = [&](QPainter& painter) {
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        m_plot->render(&painter, QRectF(QPointF(0, 0), plotSize));
        m_errorPlot->render(&painter, QRectF(QPointF(plotSize.width(), 0), errorSize));
    };

    QSaveFile file(fileName);
    bool written = file.open(QIODevice::WriteOnly);
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (written && suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(windowTitle());
        QPainter painter(&svg);
        paint(painter);
        written = painter.end() && file.error() == QFileDevice::NoError;
    } else if (written) {
        const QByteArray format = QImageWriter::supportedImageFormats().contains(suffix.toLatin1())
                                      ? suffix.toLatin1()
                                      : "png";
        const qreal ratio = devicePixelRatioF();
        QImage image(size * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        paint(painter);
        painter.end();
        written = image.save(&file, format.constData());
    }
    if (!written || !file.commit()) {
        warn(QString::fromUtf8(text::not_saved) + file.errorString());
        return false;
    }
    return true;
}

void CourseWindow::warn(const QString& text) {
    if (m_presentWarning) {
        m_presentWarning(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(app_names::title), text,
                    QMessageBox::Ok, this);
    box.exec();
}
