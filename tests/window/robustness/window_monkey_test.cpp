// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/window/robustness/robust_form.h"

#include <QApplication>
#include <QTest>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>

namespace {

constexpr int event_count = 5000;
constexpr std::uint64_t default_seed = 20240611;

// NUMERINT_MONKEY_SEED replays a run; the seed is printed with every failure. By default each
// locale gets its own fixed seed, so that the four runs try different sequences.
std::uint64_t seed() {
    if (const char* text = std::getenv("NUMERINT_MONKEY_SEED")) {
        return std::strtoull(text, nullptr, 10);
    }
    std::uint64_t mixed = default_seed;
    for (const QChar c : QLocale::system().name()) {
        mixed = mixed * 31 + c.unicode();
    }
    return mixed;
}

enum class Event { type, type_number, tab, backspace, select_all, choose, click };

} // namespace

// Seeded random typing, tabbing, deleting, choosing and clicking; every warning is closed as it
// comes.
class WindowMonkeyTest : public QObject {
    Q_OBJECT

    std::mt19937_64 m_random;
    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(m_random() % n); }

    Event nextEvent() {
        const std::size_t roll = pick(100);
        if (roll < 20) {
            return Event::type;
        }
        if (roll < 45) {
            return Event::type_number;
        }
        if (roll < 52) {
            return Event::tab;
        }
        if (roll < 72) {
            return Event::backspace;
        }
        if (roll < 77) {
            return Event::select_all;
        }
        if (roll < 80) {
            return Event::choose;
        }
        return Event::click;
    }

    // Mostly digits, then the locale's and other separators, signs, exponent letters, blanks.
    QString randomText() {
        const QLocale system = QLocale::system();
        const QString alphabet = QString("0123456789012345678901234567890123456789") +
                                 system.decimalPoint() + system.groupSeparator() +
                                 system.negativeSign() +
                                 QString::fromUtf8(".,'+-E e\u2212\u202Fxa");
        QString text;
        const std::size_t length = 1 + pick(4);
        for (std::size_t i = 0; i < length; ++i) {
            text += alphabet.at(
                static_cast<qsizetype>(pick(static_cast<std::size_t>(alphabet.size()))));
        }
        return text;
    }

    // A short number as the locale writes it, so that some clicks pass the checks.
    QString randomNumber() {
        const QLocale system = QLocale::system();
        QString text = pick(5) == 0 ? system.negativeSign() : QString();
        text += QString::number(pick(10));
        if (pick(2) == 0) {
            text += system.decimalPoint() + QString::number(pick(10));
        }
        return text;
    }

    QLineEdit* clickIntoRandomField(WindowForm& form) {
        QLineEdit* field = form.fields().at(pick(4));
        const auto x = static_cast<int>(pick(static_cast<std::size_t>(field->width())));
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(x, field->height() / 2));
        return field;
    }

private slots:
    void randomEventsKeepEveryLineAndAddOnePerAcceptedClick() {
        const std::uint64_t run_seed = seed();
        m_random.seed(run_seed);
        qInfo() << "monkey seed" << run_seed << "(set NUMERINT_MONKEY_SEED to replay)";
        const QLocale system = QLocale::system();
        WindowForm form;
        QVERIFY(form.open());
        QStringList lines;
        int accepted = 0;
        int refused = 0;
        // The first field holds the count or, while a pair is chosen, the tolerance; the other's
        // text waits until a method of its kind is chosen again.
        bool holdsTolerance = false;
        QString otherText = QStringLiteral("1E-6");

        for (int n = 0; n < event_count; ++n) {
            const Event event = nextEvent();
            const QString where = QString("seed %1, event %2").arg(run_seed).arg(n);
            const QStringList before = form.entries();
            QWidget* focused = QApplication::focusWidget();
            const qsizetype warnings = form.warnings.size();
            Expected expected;
            std::optional<QString> swappedIn;

            switch (event) {
            case Event::type: {
                // Half the time into the focused field, whose text a warning may have selected.
                auto* field = qobject_cast<QLineEdit*>(focused);
                if (!field || pick(2) == 0) {
                    field = clickIntoRandomField(form);
                }
                focused = field;
                typeText(field, randomText());
                break;
            }
            case Event::type_number: {
                QLineEdit* field = clickIntoRandomField(form);
                focused = field;
                QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                typeText(field, randomNumber());
                break;
            }
            case Event::tab:
                QTest::keyClick(focused, Qt::Key_Tab);
                break;
            case Event::backspace:
                QTest::keyClick(focused, Qt::Key_Backspace);
                break;
            case Event::select_all:
                QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
                break;
            case Event::choose:
                // An equation and a method picked from the drop-downs.
                form.cboGleichung->setCurrentIndex(
                    static_cast<int>(pick(static_cast<std::size_t>(form.cboGleichung->count()))));
                form.cboVerfahren->setCurrentIndex(
                    static_cast<int>(pick(static_cast<std::size_t>(form.cboVerfahren->count()))));
                if (calc::pair_of(shownScheme(form)).has_value() != holdsTolerance) {
                    holdsTolerance = !holdsTolerance;
                    swappedIn = otherText;
                    otherText = before.at(0);
                }
                break;
            case Event::click:
                // The equation too may have been edited after a Tab into its box.
                expected =
                    calculated(before, system, form.cboGleichung->currentText(), shownScheme(form));
                form.press();
                break;
            }

            // Lines already shown never change, move or go.
            QVERIFY2(form.ausgabe->count() >= lines.size(), qPrintable(where));
            for (qsizetype row = 0; row < lines.size(); ++row) {
                QVERIFY2(form.ausgabe->item(static_cast<int>(row))->text() == lines.at(row),
                         qPrintable(where));
            }
            // Only typing into a field changes it, and only that field.
            const QStringList after = form.entries();
            for (int i = 0; i < 4; ++i) {
                const bool typedInto = event != Event::click &&
                                       form.fields().at(static_cast<std::size_t>(i)) == focused;
                const QString kept = i == 0 && swappedIn ? *swappedIn : before.at(i);
                QVERIFY2(typedInto || after.at(i) == kept,
                         qPrintable(where + ": field " + QString::number(i) + " changed"));
            }

            if (event != Event::click) {
                QVERIFY2(form.ausgabe->count() == lines.size(), qPrintable(where));
                QVERIFY2(form.warnings.size() == warnings, qPrintable(where));
            } else if (!expected.line.isEmpty()) {
                QVERIFY2(form.ausgabe->count() == lines.size() + 1, qPrintable(where));
                QVERIFY2(form.ausgabe->item(static_cast<int>(lines.size()))->text() ==
                             expected.line,
                         qPrintable(where + ": " + expected.line));
                QVERIFY2(form.warnings.size() == warnings, qPrintable(where));
                lines.append(expected.line);
                ++accepted;
            } else {
                QVERIFY2(form.ausgabe->count() == lines.size(), qPrintable(where));
                QVERIFY2(form.warnings.size() == warnings + 1 &&
                             form.warnings.last() == expected.warning,
                         qPrintable(where + ": " + expected.warning));
                ++refused;
            }
        }
        qInfo() << event_count << "events," << accepted << "accepted and" << refused
                << "refused clicks";
        // A run in which no click passes the checks would prove little about the list.
        QVERIFY(accepted > 0);
    }
};

QTEST_MAIN(WindowMonkeyTest)
#include "window_monkey_test.moc"
