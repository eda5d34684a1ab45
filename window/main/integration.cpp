// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main/integration.h"

#include "calc/analysis/course.h"
#include "calc/calculate.h"
#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/main/app_names.h"
#include "window/main/choices.h"
#include "window/main/course_windows.h"
#include "window/main/method_box.h"
#include "window/main/result_item.h"
#include "window/main/step_entry.h"
#include "window/main/system_line_item.h"
#include "window/system/system_window.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <variant>

namespace {

namespace text {
constexpr char heading[] = "Nuerische Lösung von Differnetialgleichungen";
constexpr char equation_heading[] = "Differentialgleichung";
constexpr char method_heading[] = "Lösungsmethode";
constexpr char equation_prefix[] = "y' =";
constexpr char calculate[] = "Berechnen";
constexpr char system[] = "System…";
constexpr char result[] = "Ergebnis";
constexpr char copy[] = "Kopieren";
constexpr char show_course[] = "Verlauf anzeigen…";
constexpr char start_entry[] = "0";
} // namespace text

// The form is drawn in twips, 1/1440 inch: 15 to a device-independent pixel. It is wide enough
// for the method's box, whose longest name is wider than any other caption in its column.
constexpr double twips_per_pixel = 15.0;
constexpr QSize client_twips{4920, 4230};
// The result list spans the form, from its left edge to the mirrored right margin.
constexpr QRect ausgabe_twips{120, 3360, client_twips.width() - 240, 645};

// The label calc uses in its warnings is the caption above the entry.
QString labelOf(calc::Entry entry) {
    return fromUtf8(calc::entry_label(entry));
}

// How much a control must grow so that its content is shown in full.
double requiredScale(const QWidget* widget, QRect twips) {
    const double width = twips.width() / twips_per_pixel;
    const double height = twips.height() / twips_per_pixel;
    // An entry scrolls its text; a box shows each of its items in full, the methods' box each
    // explicit fixed-step method (see MethodBox).
    if (qobject_cast<const QLineEdit*>(widget)) {
        return widget->minimumSizeHint().height() / height;
    }
    const auto* methods = dynamic_cast<const MethodBox*>(widget);
    const QSize hint = methods ? methods->explicitMethodsSizeHint() : widget->sizeHint();
    return std::max(hint.width() / width, hint.height() / height);
}

} // namespace

Integration::Integration(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QString::fromUtf8(app_names::title));
    createControls();
    setUpResultList();
    setUpTabOrder();
    setStartTexts();
    applyGeometry();
    resize(minimumSize());
    m_txtug->setFocus();
}

void Integration::setNumberLocale(const QLocale& locale) {
    m_numberLocale = locale;
    if (m_systemWindow != nullptr) {
        m_systemWindow->setNumberLocale(locale);
    }
}

QLocale Integration::numberLocale() const {
    return m_numberLocale.value_or(QLocale::system());
}

void Integration::setWarningPresenter(WarningPresenter presenter) {
    m_presentWarning = std::move(presenter);
}

void Integration::setCourseModule(const QString& path) {
    m_courseWindows.setModule(path);
}

void Integration::setCourseWindowMaker(CourseWindowMaker maker) {
    m_courseWindows.setMaker(std::move(maker));
}

void Integration::setSystemCourseWindowMaker(SystemCourseWindowMaker maker) {
    m_courseWindows.setSystemMaker(std::move(maker));
}

// Created in the form's tab index order, which is also their stacking order.
void Integration::createControls() {
    addLabel("Label1", QString::fromUtf8(text::heading), {240, 0, 3495, 255});
    QLabel* label2 =
        addLabel("Label2", QString::fromUtf8(text::equation_heading), {0, 240, 1455, 255});
    QLabel* label3 =
        addLabel("Label3", QString::fromUtf8(text::method_heading), {2640, 240, 1335, 255});
    QLabel* label4 = addLabel("Label4", labelOf(calc::Entry::aw), {120, 1800, 1215, 255});
    QLabel* label5 = addLabel("Label5", labelOf(calc::Entry::ug), {120, 960, 1215, 255});
    QLabel* label6 = addLabel("Label6", labelOf(calc::Entry::og), {2640, 960, 1215, 255});
    m_txtug = addField("txtug", label5, {120, 1320, 1095, 285});
    m_txtog = addField("txtog", label6, {2520, 1320, 1095, 285});
    m_txtaw = addField("txtaw", label4, {120, 2160, 1215, 285});

    m_cmdRechnen = new QPushButton(QString::fromUtf8(text::calculate), this);
    m_cmdRechnen->setObjectName("cmdRechnen");
    m_cmdRechnen->setAutoDefault(false);
    m_cmdRechnen->setDefault(false);
    m_placements.push_back({m_cmdRechnen, {2760, 2880, 1215, 375}});
    connect(m_cmdRechnen, &QPushButton::clicked, this, &Integration::calculate);

    // The systems' window opens from the free space of the right column, in Berechnen's width,
    // between the step count and Berechnen: no other free place of the form is wide enough.
    m_cmdSystem = new QPushButton(QString::fromUtf8(text::system), this);
    m_cmdSystem->setObjectName("cmdSystem");
    m_cmdSystem->setAutoDefault(false);
    m_cmdSystem->setDefault(false);
    m_placements.push_back({m_cmdSystem, {2760, 2520, 1215, 300}});
    connect(m_cmdSystem, &QPushButton::clicked, this, &Integration::showSystemWindow);

    m_ausgabe = new QListWidget(this);
    m_ausgabe->setObjectName("Ausgabe");
    m_placements.push_back({m_ausgabe, ausgabe_twips});

    QLabel* label7 = addLabel("Label7", QString::fromUtf8(text::result), {120, 3000, 1695, 255});
    label7->setBuddy(m_ausgabe);
    QLabel* label8 = addLabel("Label8", labelOf(calc::Entry::anzschr), {2520, 1800, 1095, 255});
    m_txtanzschr = addField("txtanzschr", label8, {2400, 2160, 1215, 285});
    // The boxes stand as high as the entries; "y' =" is centred beside the equation.
    addLabel("Label9", QString::fromUtf8(text::equation_prefix), {120, 600, 420, 285});
    m_cboGleichung = makeEquationChoice(label2, this);
    m_placements.push_back({m_cboGleichung, {540, 600, 1860, 285}});
    m_cboVerfahren = makeMethodChoice(label3, this);
    m_placements.push_back({m_cboVerfahren, {2640, 600, 2160, 285}});
    m_stepEntry = new StepEntry(label8, m_txtanzschr, m_cboVerfahren);
}

QLabel* Integration::addLabel(const char* name, const QString& text, QRect twips) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFocusPolicy(Qt::NoFocus);
    m_placements.push_back({label, twips});
    return label;
}

// The label is the field's buddy, so assistive tools announce the field by its caption.
QLineEdit* Integration::addField(const char* name, QLabel* label, QRect twips) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setAccessibleName(label->text());
    label->setBuddy(field);
    m_placements.push_back({field, twips});
    return field;
}

void Integration::setUpResultList() {
    m_ausgabe->setAccessibleName(QString::fromUtf8(text::result));
    m_ausgabe->setSortingEnabled(false);
    m_ausgabe->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_ausgabe->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_ausgabe->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_ausgabe->setUniformItemSizes(true);
    m_ausgabe->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* copy = new QAction(QString::fromUtf8(text::copy), m_ausgabe);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    copy->setEnabled(false);
    m_ausgabe->addAction(copy);
    m_ausgabe->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(copy, &QAction::triggered, this, &Integration::copySelectedLines);
    connect(m_ausgabe, &QListWidget::itemSelectionChanged, copy,
            [this, copy] { copy->setEnabled(!m_ausgabe->selectedItems().isEmpty()); });

    // Enter and Return open the current line's course, as a double-click does.
    auto* openCourse = new QAction(QString::fromUtf8(text::show_course), m_ausgabe);
    openCourse->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    openCourse->setShortcutContext(Qt::WidgetShortcut);
    openCourse->setEnabled(false);
    m_ausgabe->addAction(openCourse);
    connect(openCourse, &QAction::triggered, this,
            [this] { showCourse(m_ausgabe->currentItem()); });
    connect(m_ausgabe, &QListWidget::currentItemChanged, openCourse,
            [openCourse](QListWidgetItem* current) { openCourse->setEnabled(current != nullptr); });
    connect(m_ausgabe, &QListWidget::itemDoubleClicked, this, &Integration::showCourse);
}

// The step count comes after the result list, then the equation and the method, and the
// systems' button closes the cycle.
void Integration::setUpTabOrder() {
    const std::array<QWidget*, 10> cycle{m_txtug,     m_txtog,      m_txtaw,        m_cmdRechnen,
                                         m_ausgabe,   m_txtanzschr, m_cboGleichung, m_cboVerfahren,
                                         m_cmdSystem, m_txtug};
    for (std::size_t i = 1; i < cycle.size(); ++i) {
        setTabOrder(cycle[i - 1], cycle[i]);
    }
}

void Integration::setStartTexts() {
    for (QLineEdit* field : {m_txtanzschr, m_txtug, m_txtog, m_txtaw}) {
        field->setText(QString::fromUtf8(text::start_entry));
    }
}

// Lays the form out at the smallest scale at which nothing is clipped; the window cannot
// shrink below that size, and extra room goes to the result list.
void Integration::applyGeometry() {
    m_scale = fittingScale();
    for (const Placement& placement : m_placements) {
        placement.widget->setGeometry(scaled(placement.twips));
    }
    setMinimumSize(scaled(client_twips.width()), scaled(client_twips.height()));
    placeResultList();
}

double Integration::fittingScale() const {
    double scale = 1.0;
    for (const Placement& placement : m_placements) {
        if (placement.widget != m_ausgabe) {
            scale = std::max(scale, requiredScale(placement.widget, placement.twips));
        }
    }
    return scale;
}

int Integration::scaled(int twips) const {
    // The tolerance keeps a size that fits exactly from rounding up a whole pixel.
    return static_cast<int>(std::ceil(twips * m_scale / twips_per_pixel - 1e-9));
}

QRect Integration::scaled(QRect twips) const {
    return {scaled(twips.left()), scaled(twips.top()), scaled(twips.width()),
            scaled(twips.height())};
}

void Integration::placeResultList() {
    if (m_ausgabe == nullptr) {
        return;
    }
    const QSize extra = size() - minimumSize();
    const QRect designed = scaled(ausgabe_twips);
    m_ausgabe->setGeometry(
        designed.adjusted(0, 0, std::max(0, extra.width()), std::max(0, extra.height())));
}

void Integration::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        applyGeometry();
        remeasureLines();
    }
}

// The course windows belong to this window and close with it.
void Integration::closeEvent(QCloseEvent* event) {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) {
            child->close();
        }
    }
    QWidget::closeEvent(event);
}

void Integration::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeResultList();
}

void Integration::calculate() {
    const calc::EntryTexts entries{m_stepEntry->countText().toStdString(),
                                   m_txtug->text().toStdString(), m_txtog->text().toStdString(),
                                   m_txtaw->text().toStdString()};
    calc::Task task(entries, m_cboGleichung->currentText().toStdString());
    task.choose(chosenScheme(m_cboVerfahren));
    task.tolerance = m_stepEntry->toleranceText().toStdString();
    const calc::Outcome outcome = calc::calculate(task, calcNumberLocale(numberLocale()));

    if (const auto* line = std::get_if<calc::ResultLine>(&outcome)) {
        appendLine(*line);
        return;
    }
    const auto& warning = std::get<calc::Warning>(outcome);
    warn(fromUtf8(warning.text));
    if (warning.entry) {
        blame(*warning.entry);
    }
}

// The field to correct; none for the exact solution, which the course window takes.
QWidget* Integration::field(calc::Entry entry) const {
    switch (entry) {
    case calc::Entry::anzschr:
        return m_txtanzschr;
    case calc::Entry::ug:
        return m_txtug;
    case calc::Entry::og:
        return m_txtog;
    case calc::Entry::aw:
        return m_txtaw;
    case calc::Entry::gleichung:
        return m_cboGleichung;
    case calc::Entry::exakt:
        return nullptr;
    }
    return nullptr;
}

// Puts the focus in the field to correct with its text selected, ready to be typed over.
void Integration::blame(calc::Entry entry) {
    QWidget* blamed = field(entry);
    if (blamed == nullptr) {
        return;
    }
    blamed->setFocus(Qt::OtherFocusReason);
    auto* edit = qobject_cast<QLineEdit*>(blamed);
    if (auto* box = qobject_cast<QComboBox*>(blamed)) {
        edit = box->lineEdit();
    }
    if (edit != nullptr) {
        edit->selectAll();
    }
}

// With uniform item sizes the list measures only its last line, which keeps an append quick
// however long the list; so the last line carries the width of the widest one, and the
// horizontal scroll range covers every line.
void Integration::appendLine(const calc::ResultLine& line) {
    auto* item = new ResultItem(line);
    item->setToolTip(fromUtf8(calc::line_tooltip(line)));
    appendItem(item);
}

void Integration::appendSystemLine(const calc::SystemLine& line) {
    auto* item = new SystemLineItem(line);
    item->setToolTip(fromUtf8(calc::system_tooltip(line)));
    appendItem(item);
}

void Integration::appendItem(QListWidgetItem* item) {
    if (m_ausgabe->count() > 0) {
        m_ausgabe->item(m_ausgabe->count() - 1)->setSizeHint(QSize());
    }
    m_ausgabe->addItem(item);
    const QSize natural = m_ausgabe->sizeHintForIndex(m_ausgabe->indexFromItem(item));
    m_widestLine = std::max(m_widestLine, natural.width());
    item->setSizeHint({m_widestLine, natural.height()});
    m_ausgabe->scrollToItem(item);
}

// Measures every line again, as a new font changes their widths.
void Integration::remeasureLines() {
    if (m_ausgabe == nullptr || m_ausgabe->count() == 0) {
        return;
    }
    QListWidgetItem* last = m_ausgabe->item(m_ausgabe->count() - 1);
    last->setSizeHint(QSize());
    m_widestLine = 0;
    for (int row = 0; row < m_ausgabe->count(); ++row) {
        const QModelIndex index = m_ausgabe->indexFromItem(m_ausgabe->item(row));
        m_widestLine = std::max(m_widestLine, m_ausgabe->sizeHintForIndex(index).width());
    }
    last->setSizeHint(
        {m_widestLine, m_ausgabe->sizeHintForIndex(m_ausgabe->indexFromItem(last)).height()});
}

void Integration::copySelectedLines() {
    QStringList lines;
    for (int row = 0; row < m_ausgabe->count(); ++row) {
        if (m_ausgabe->item(row)->isSelected()) {
            lines.append(m_ausgabe->item(row)->text());
        }
    }
    if (lines.isEmpty()) {
        return;
    }
    QGuiApplication::clipboard()->setText(lines.join(u'\n'));
}

// Opens the course of the calculation that made the line, a scalar's or a system's, or raises
// its open window.
void Integration::showCourse(QListWidgetItem* item) {
    if (item == nullptr) {
        return;
    }
    QPointer<QWidget>* course = nullptr;
    if (item->type() == ResultItem::item_type) {
        course = &static_cast<ResultItem*>(item)->course();
    } else if (item->type() == SystemLineItem::item_type) {
        course = &static_cast<SystemLineItem*>(item)->course();
    } else {
        return;
    }
    if (course->isNull()) {
        *course = makeCourseWindow(item);
        if (course->isNull()) {
            return;
        }
    }
    bringToFront(*course);
}

// The course window of the line; none after a warning.
QWidget* Integration::makeCourseWindow(QListWidgetItem* item) {
    const auto warnHere = [this](const QString& text) { warn(text); };
    if (item->type() == SystemLineItem::item_type) {
        return m_courseWindows.make(static_cast<SystemLineItem*>(item)->line(), numberLocale(),
                                    this, warnHere);
    }
    return m_courseWindows.make(static_cast<ResultItem*>(item)->line(), numberLocale(), this,
                                warnHere);
}

// Opens the one window for systems, made at the first press, or raises it. It reports its
// warnings and lines here, so that all results stand in one list.
void Integration::showSystemWindow() {
    if (m_systemWindow == nullptr) {
        SystemWindow::Reports reports{
            [this](const QString& text, QWidget* over) { warn(text, over); },
            [this](const calc::SystemLine& line) { appendSystemLine(line); }};
        m_systemWindow = new SystemWindow(numberLocale(), std::move(reports), this);
    }
    bringToFront(m_systemWindow);
}

void Integration::bringToFront(QWidget* window) {
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    // Asked of the window itself: as a window of this one it may count as active already.
    if (QWindow* handle = window->windowHandle()) {
        handle->requestActivate();
    }
}

void Integration::warn(const QString& text, QWidget* over) {
    if (m_presentWarning) {
        m_presentWarning(text);
    } else {
        showWarningBox(text, over != nullptr ? over : this);
    }
}

void Integration::showWarningBox(const QString& text, QWidget* over) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(app_names::title), text,
                    QMessageBox::Ok, over);
    box.exec();
}
