// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/window/robustness/robust_form.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QStringList plain{"10", "0", "1", "1"};
const QString megabyte(1 << 20, u'0');
const QString megabyte_of_blanks(1 << 20, u' ');
const QString zeros_4999(4999, u'0');

QString notANumber(const char* label) {
    return QString::fromUtf8("Bitte eine Zahl für %1 eingeben!").arg(QString::fromUtf8(label));
}

const QString overflow = QString::fromUtf8("Überlauf bei der Berechnung!");

// Pastes the text over the field's content, as a user does with Ctrl+A, Ctrl+V.
void paste(QWidget* field, const QString& text) {
    QApplication::clipboard()->setText(text);
    field->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

// Pasted entries that no user should type; each gets its warning or the line of a clean entry.
class WindowHostileTest : public QObject {
    Q_OBJECT

private slots:
    void pastedEntryGetsItsWarningOrTheCleanLine_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("blamed");
        QTest::addColumn<QStringList>("clean");
        const QString count = notANumber("Schrittanzahl");
        const QString lower = notANumber("Untere Grenze");
        const QString upper = notANumber("Obere Grenze");
        const QString initial = notANumber("Anfangswert");
        const auto refused = [](const char* name, QStringList entries, QString warning,
                                QString blamed) {
            QTest::newRow(name) << entries << warning << blamed << QStringList();
        };
        const auto accepted = [](const char* name, QStringList entries, QStringList clean) {
            QTest::newRow(name) << entries << QString() << QString() << clean;
        };

        refused("megabyte number", {"1" + megabyte, "0", "1", "1"}, count, "txtanzschr");
        refused("megabyte of blanks", {"10", "0", megabyte_of_blanks, "1"}, upper, "txtog");
        accepted("megabyte of blanks around a number",
                 {"10", megabyte_of_blanks + "0" + megabyte_of_blanks, "1", "1"}, plain);
        accepted("megabyte of fraction zeros", {"10", "0", "1", "1," + megabyte}, plain);
        refused("NUL inside", {QString("1") + QChar(0) + "0", "0", "1", "1"}, count, "txtanzschr");
        refused("invalid UTF-8 as decoded",
                {"10",
                 QString::fromUtf8("\xFF"
                                   "1\xC3"),
                 "1", "1"},
                lower, "txtug");
        refused("replacement character", {"10", "0", "1", QString(QChar(0xFFFD))}, initial,
                "txtaw");
        refused("zero-width joiner", {"10", QString::fromUtf8("1\u200D0"), "1", "1"}, lower,
                "txtug");
        refused("tab inside", {"10", "0", "1\t0", "1"}, upper, "txtog");
        refused("lone surrogate", {"10", "0", QString(QChar(0xD800)) + "1", "1"}, upper, "txtog");
        refused("full-width digits", {"10", "0", "1", QString::fromUtf8("\uFF11")}, initial,
                "txtaw");
        refused("right-to-left mark", {QString::fromUtf8("\u200F") + "10", "0", "1", "1"}, count,
                "txtanzschr");
        refused("NaN", {"10", "NaN", "1", "1"}, lower, "txtug");
        refused("Inf", {"10", "0", "Inf", "1"}, upper, "txtog");
        refused("Infinity", {"10", "0", "1", "-Infinity"}, initial, "txtaw");
        refused("1E400", {"10", "0", "1E400", "1"}, upper, "txtog");
        refused("-1E400", {"10", "-1E400", "1", "1"}, lower, "txtug");
        accepted("1E-400 is zero", {"10", "0", "1", "1E-400"}, {"10", "0", "1", "0"});
        refused("5,000-digit mantissa", {"10", "0", "1", "1" + zeros_4999}, initial, "txtaw");
        accepted("5,000-digit fraction", {"10", "0," + zeros_4999 + "1", "1", "1"}, plain);
        refused("lone decimal comma", {",", "0", "1", "1"}, count, "txtanzschr");
        refused("lone group point", {"10", ".", "1", "1"}, lower, "txtug");
        refused("lone minus", {"10", "0", "-", "1"}, upper, "txtog");
        refused("two minus signs", {"10", "0", "1", "--1"}, initial, "txtaw");
        refused("plus then minus", {"10", "+-1", "1", "1"}, lower, "txtug");
        refused("group in the fraction", {"10", "0", "0,000.5", "1"}, upper, "txtog");
        accepted("count just below hundred", {"99,999999999", "0", "1", "1"},
                 {"99,999999999", "0", "1", "1"});
        refused("count rounding to hundred", {"99,99999999999999999", "0", "1", "1"},
                QString::fromUtf8("Bitte Anzahl < 100 eingeben!"), "txtanzschr");
        refused("difference of bounds overflows", {"10", "-1E308", "1E308", "1"}, overflow, "");
        refused("initial value overflows in a pass", {"10", "0", "1", "1E200"}, overflow, "");
    }

    void pastedEntryGetsItsWarningOrTheCleanLine() {
        QFETCH(QStringList, entries);
        QFETCH(QString, warning);
        QFETCH(QString, blamed);
        QFETCH(QStringList, clean);
        WindowForm form;
        form.window.setNumberLocale(german);
        QVERIFY(form.open());
        for (int i = 0; i < 4; ++i) {
            paste(form.fields().at(static_cast<std::size_t>(i)), entries.at(i));
        }
        // The fields hold what was pasted, and a press leaves them so.
        QVERIFY(form.entries() == entries);
        form.press();
        QVERIFY(form.entries() == entries);
        if (!warning.isEmpty()) {
            QCOMPARE(form.warnings, QStringList{warning});
            QCOMPARE(form.ausgabe->count(), 0);
            if (!blamed.isEmpty()) {
                auto* field = form.window.findChild<QLineEdit*>(blamed);
                QCOMPARE(QApplication::focusWidget(), field);
                QCOMPARE(field->selectedText(), field->text());
            }
            return;
        }
        const Expected expected = calculated(clean, german);
        QVERIFY2(!expected.line.isEmpty(), qPrintable(expected.warning));
        QCOMPARE(form.warnings, QStringList());
        QCOMPARE(form.lines(), QStringList{expected.line});
    }

    void pastedEquationIsRefusedWithItsReason_data() {
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QString>("reason");
        QTest::newRow("ten megabytes") << QString(10 << 20, u'y') << "zu lang (Zeichen 1001)";
        QTest::newRow("NUL bytes") << QString("x") + QChar(0) + QChar(0) + "y"
                                   << "unerwartetes Steuerzeichen (Zeichen 2)";
        QTest::newRow("hundred thousand opening parentheses")
            << QString(100000, u'(') << "zu lang (Zeichen 1001)";
        QTest::newRow("argument separator under a decimal comma")
            << "x,5" << QString::fromUtf8("unerwartetes Zeichen „,“ (Zeichen 2)");
        QTest::newRow("function muparser knows but the program does not")
            << "log(x)" << QString::fromUtf8("unbekannter Name „log“ (Zeichen 1)");
    }

    void pastedEquationIsRefusedWithItsReason() {
        QFETCH(QString, equation);
        QFETCH(QString, reason);
        WindowForm form;
        form.window.setNumberLocale(german);
        QVERIFY(form.open());
        form.enter(plain);
        form.press();
        const QStringList lines = form.lines();
        QCOMPARE(lines.size(), 1);

        // The box keeps the paste, or of a long one more than the calculation reads.
        paste(form.cboGleichung, equation);
        const QString kept = form.cboGleichung->currentText();
        QVERIFY(equation.startsWith(kept));
        QVERIFY(kept.size() == equation.size() || kept.size() > 1000);
        form.press();
        QCOMPARE(form.warnings,
                 QStringList{"Die Differentialgleichung ist fehlerhaft: " + reason + "."});
        QCOMPARE(form.lines(), lines);
        QCOMPARE(form.entries(), plain);
        QVERIFY(form.cboGleichung->currentText() == kept);
        QCOMPARE(form.cboGleichung->count(), 7);
        QCOMPARE(QApplication::focusWidget(), form.cboGleichung);
    }
};

QTEST_MAIN(WindowHostileTest)
#include "window_hostile_test.moc"
