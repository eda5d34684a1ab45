// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/system/system_window.h"

#include "calc/system_calculate.h"
#include "calc/text/warnings.h"
#include "qt/number_locale.h"
#include "qt/qt_text.h"
#include "window/main/app_names.h"
#include "window/main/choices.h"
#include "window/main/step_entry.h"
#include "window/system/captions.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <array>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

namespace text {
constexpr char title[] = "Differentialgleichungssystem — ";
constexpr char example[] = "Beispiel:";
constexpr char own_system[] = "eigenes System";
constexpr char form[] = "Form:";
constexpr char method[] = "Lösungsmethode";
constexpr char calculate[] = "Berechnen";
} // namespace text

// The forms in the order of the box: first-order systems of two to four components, then the
// second-order equation.
struct FormChoice {
    const char* name;
    calc::SystemForm form;
    std::size_t size;
};

constexpr std::array<FormChoice, 4> forms{{
    {"2 Gleichungen", calc::SystemForm::first_order, 2},
    {"3 Gleichungen", calc::SystemForm::first_order, 3},
    {"4 Gleichungen", calc::SystemForm::first_order, 4},
    {"Gleichung 2. Ordnung", calc::SystemForm::second_order, 2},
}};

int formIndex(calc::SystemForm form, std::size_t size) {
    for (std::size_t i = 0; i < forms.size(); ++i) {
        if (forms[i].form == form &&
            (form == calc::SystemForm::second_order || forms[i].size == size)) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

// The rows of the grid: the example, the form, the components, then the bounds and the count
// with the method, and the button.
constexpr int example_row = 0;
constexpr int form_row = 1;
constexpr int first_component_row = 2;
constexpr int bounds_row = first_component_row + static_cast<int>(ComponentRows::rows);
constexpr int count_row = bounds_row + 1;
constexpr int button_row = count_row + 1;

QLabel* addLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QString entryLabel(calc::Entry entry) {
    return fromUtf8(calc::entry_label(entry));
}

// A box shows each of its items in full, at any font: the layout may widen it but never
// narrows it below its longest item.
void keepWholeItems(QComboBox* box) {
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    box->setSizePolicy(QSizePolicy::Minimum, box->sizePolicy().verticalPolicy());
}

} // namespace

SystemWindow::SystemWindow(const QLocale& locale, Reports reports, QWidget* parent)
    : QWidget(parent, Qt::Window), m_locale(locale), m_reports(std::move(reports)) {
    setWindowTitle(QString::fromUtf8(text::title) + QString::fromUtf8(app_names::title));
    createControls();
    setUpTabOrder();
    m_cboBeispiel->setCurrentIndex(
        1 + static_cast<int>(calc::SystemExampleId::oscillator)); // fills in the oscillator
    m_rows->formula(0)->setFocus();
}

SystemWindow::~SystemWindow() = default;

void SystemWindow::setNumberLocale(const QLocale& locale) {
    m_locale = locale;
}

void SystemWindow::createControls() {
    auto* grid = new QGridLayout(this);
    // The formulas take what room there is; the initial values, bounds and boxes their share.
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(3, 2);

    QLabel* exampleLabel = addLabel(QString::fromUtf8(text::example), this);
    m_cboBeispiel = new QComboBox(this);
    m_cboBeispiel->setObjectName("cboBeispiel");
    m_cboBeispiel->addItem(QString::fromUtf8(text::own_system));
    for (const calc::SystemExample& example : calc::system_examples) {
        m_cboBeispiel->addItem(fromUtf8(example.name));
    }
    keepWholeItems(m_cboBeispiel);
    attachCaption(exampleLabel, m_cboBeispiel);
    grid->addWidget(exampleLabel, example_row, 0);
    grid->addWidget(m_cboBeispiel, example_row, 1);

    QLabel* formLabel = addLabel(QString::fromUtf8(text::form), this);
    m_cboForm = new QComboBox(this);
    m_cboForm->setObjectName("cboForm");
    for (const FormChoice& choice : forms) {
        m_cboForm->addItem(QString::fromUtf8(choice.name));
    }
    keepWholeItems(m_cboForm);
    attachCaption(formLabel, m_cboForm);
    grid->addWidget(formLabel, form_row, 0);
    grid->addWidget(m_cboForm, form_row, 1);

    m_rows = std::make_unique<ComponentRows>(this, grid, first_component_row);

    QLabel* ugLabel = addLabel(entryLabel(calc::Entry::ug), this);
    m_txtug = makeEntryField("txtug", ugLabel, this);
    QLabel* ogLabel = addLabel(entryLabel(calc::Entry::og), this);
    m_txtog = makeEntryField("txtog", ogLabel, this);
    grid->addWidget(ugLabel, bounds_row, 0);
    grid->addWidget(m_txtug, bounds_row, 1);
    grid->addWidget(ogLabel, bounds_row, 2);
    grid->addWidget(m_txtog, bounds_row, 3);

    QLabel* countLabel = addLabel(entryLabel(calc::Entry::anzschr), this);
    m_txtanzschr = makeEntryField("txtanzschr", countLabel, this);
    QLabel* methodLabel = addLabel(QString::fromUtf8(text::method), this);
    m_cboVerfahren = makeMethodChoice(methodLabel, this);
    keepWholeItems(m_cboVerfahren);
    m_stepEntry = new StepEntry(countLabel, m_txtanzschr, m_cboVerfahren);
    grid->addWidget(countLabel, count_row, 0);
    grid->addWidget(m_txtanzschr, count_row, 1);
    grid->addWidget(methodLabel, count_row, 2);
    grid->addWidget(m_cboVerfahren, count_row, 3);

    m_cmdRechnen = new QPushButton(QString::fromUtf8(text::calculate), this);
    m_cmdRechnen->setObjectName("cmdRechnen");
    m_cmdRechnen->setAutoDefault(false);
    grid->addWidget(m_cmdRechnen, button_row, 0, 1, 4, Qt::AlignRight);
    // The rows stay at their natural height; a taller window leaves its room below them.
    grid->setRowStretch(button_row + 1, 1);

    connect(m_cboBeispiel, &QComboBox::currentIndexChanged, this, &SystemWindow::chooseExample);
    connect(m_cboForm, &QComboBox::currentIndexChanged, this, &SystemWindow::showForm);
    // A form the user changes is no longer the example's.
    connect(m_cboForm, &QComboBox::activated, this, &SystemWindow::forgetExample);
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        connect(field, &QLineEdit::textEdited, this, &SystemWindow::forgetExample);
    }
    connect(m_cmdRechnen, &QPushButton::clicked, this, &SystemWindow::calculate);
    showForm(m_cboForm->currentIndex());
}

// Down the form as it reads: the example and the form, each row's formula and initial value,
// the bounds, the count, the method and the button; the fields a form hides are passed over.
void SystemWindow::setUpTabOrder() {
    QList<QWidget*> order{m_cboBeispiel, m_cboForm};
    order += m_rows->readingOrder();
    order += {m_txtug, m_txtog, m_txtanzschr, m_cboVerfahren, m_cmdRechnen};
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

// Fills in everything the example gives: the form, the formulas in the locale's numbers, the
// initial values, the bounds and the count. The method stays as chosen.
void SystemWindow::chooseExample(int index) {
    if (index < 1 || index > static_cast<int>(calc::system_examples.size())) {
        return; // "eigenes System" leaves the form as it is
    }
    const calc::SystemExample& example = calc::system_examples[static_cast<std::size_t>(index - 1)];
    const calc::NumberLocale locale = calcNumberLocale(m_locale);
    m_cboForm->setCurrentIndex(formIndex(example.form, example.size));
    std::vector<std::string> initial;
    for (std::size_t i = 0; i < example.size; ++i) {
        initial.push_back(calc::format_general(example.start[i], locale));
    }
    m_rows->fill(calc::example_formulas(example, locale), initial);
    m_txtug->setText(fromUtf8(calc::format_general(example.ug, locale)));
    m_txtog->setText(fromUtf8(calc::format_general(example.og, locale)));
    // An example that is shown with step size control chooses its pair and tolerance, one that
    // shows what a method does its method; the others leave the method as chosen.
    if (example.pair) {
        showScheme(m_cboVerfahren, *example.pair);
        m_stepEntry->setToleranceText(fromUtf8(example.tolerance));
    } else if (example.method) {
        showScheme(m_cboVerfahren, *example.method);
    }
    m_stepEntry->setCountText(fromUtf8(calc::format_general(example.count, locale)));
}

void SystemWindow::showForm(int index) {
    const FormChoice& choice = forms.at(static_cast<std::size_t>(index < 0 ? 0 : index));
    m_rows->showForm(choice.form, choice.size);
}

// Shows "eigenes System" once the form is no longer the chosen example's; a check of the
// index, whatever the length of the text edited.
void SystemWindow::forgetExample() {
    if (m_cboBeispiel->currentIndex() != 0) {
        const QSignalBlocker blocker(m_cboBeispiel);
        m_cboBeispiel->setCurrentIndex(0);
    }
}

void SystemWindow::calculate() {
    const FormChoice& choice = forms.at(static_cast<std::size_t>(m_cboForm->currentIndex()));
    calc::SystemTask task;
    task.form = choice.form;
    task.formulas = m_rows->formulas();
    task.initial = m_rows->initialValues();
    task.ug = m_txtug->text().toStdString();
    task.og = m_txtog->text().toStdString();
    task.count = m_stepEntry->countText().toStdString();
    if (const std::optional<calc::Pair> pair = calc::pair_of(chosenScheme(m_cboVerfahren))) {
        task.pair = pair;
    } else {
        task.method = std::get<calc::Method>(chosenScheme(m_cboVerfahren));
    }
    task.tolerance = m_stepEntry->toleranceText().toStdString();
    const calc::SystemOutcome outcome = calc::calculate_system(task, calcNumberLocale(m_locale));

    if (const auto* line = std::get_if<calc::SystemLine>(&outcome)) {
        m_reports.append(*line);
        return;
    }
    const auto& warning = std::get<calc::SystemWarning>(outcome);
    m_reports.warn(fromUtf8(warning.text), this);
    blame(warning);
}

// Puts the focus in the field to correct with its text selected, ready to be typed over; a
// warning that blames no field (an overflow) leaves the focus where it is.
void SystemWindow::blame(const calc::SystemWarning& warning) {
    if (!warning.field) {
        return;
    }
    QLineEdit* field = nullptr;
    switch (*warning.field) {
    case calc::SystemField::count:
        field = m_txtanzschr;
        break;
    case calc::SystemField::ug:
        field = m_txtug;
        break;
    case calc::SystemField::og:
        field = m_txtog;
        break;
    case calc::SystemField::initial:
        field = warning.index < ComponentRows::rows ? m_rows->initialValue(warning.index) : nullptr;
        break;
    case calc::SystemField::formula:
        field = warning.index < ComponentRows::rows ? m_rows->formula(warning.index) : nullptr;
        break;
    }
    if (field == nullptr) {
        return;
    }
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}
