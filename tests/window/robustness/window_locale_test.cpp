// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/window/robustness/robust_form.h"

#include <QApplication>
#include <QTest>

#include <cmath>

namespace {

// How the C locale writes a line, rewritten with the system locale's signs.
QString inSystemSigns(QString line) {
    const QLocale system = QLocale::system();
    QString out;
    for (const QChar c : line) {
        if (c == u'.') {
            out += system.decimalPoint();
        } else if (c == u'-') {
            out += system.negativeSign();
        } else {
            out += c;
        }
    }
    return out;
}

void typeOver(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    typeText(field, text);
}

} // namespace

// Run once per locale: numbers typed as the system locale writes them give the line of the
// same numbers in the C locale, written with the system locale's signs.
class WindowLocaleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qInfo() << "system locale" << QLocale::system().name(); }

    void numbersAsTheLocaleWritesThemGiveTheSameLine_data() {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<QList<int>>("decimals");
        QTest::addColumn<QStringList>("cEntries");
        // Values in the order step count, lower bound, upper bound, initial value.
        QTest::newRow("decimal fractions")
            << QList<double>{10, 0, 1.5, 0.25} << QList<int>{0, 0, 1, 2}
            << QStringList{"10", "0", "1.5", "0.25"};
        QTest::newRow("negative thousands")
            << QList<double>{5, -1000, -999.5, 0.001} << QList<int>{0, 0, 1, 3}
            << QStringList{"5", "-1000", "-999.5", "0.001"};
        QTest::newRow("millions") << QList<double>{2, 1234567, 1234567.5, 0.000001}
                                  << QList<int>{0, 0, 1, 6}
                                  << QStringList{"2", "1234567", "1234567.5", "0.000001"};
        QTest::newRow("fractional count")
            << QList<double>{2.5, -1.25, 3, -2} << QList<int>{1, 2, 0, 0}
            << QStringList{"2.5", "-1.25", "3", "-2"};
    }

    void numbersAsTheLocaleWritesThemGiveTheSameLine() {
        QFETCH(QList<double>, values);
        QFETCH(QList<int>, decimals);
        QFETCH(QStringList, cEntries);
        const QLocale system = QLocale::system();
        const Expected inC = calculated(cEntries, QLocale::c());
        QVERIFY2(!inC.line.isEmpty(), qPrintable(inC.warning));

        WindowForm form;
        QVERIFY(form.open());
        for (int i = 0; i < 4; ++i) {
            const QString text = system.toString(values.at(i), 'f', decimals.at(i));
            if (std::abs(values.at(i)) >= 1000) {
                QVERIFY2(text.contains(system.groupSeparator()), qPrintable(text));
            }
            typeOver(form.fields().at(static_cast<std::size_t>(i)), text);
        }
        form.press();
        QCOMPARE(form.warnings, QStringList());
        QCOMPARE(form.lines(), QStringList{inSystemSigns(inC.line)});
    }

    // Where the locale groups with a character that keyboards lack, the usual stand-in is read.
    void standInGroupSeparatorsReadAsTheLocalesOwn_data() {
        QTest::addColumn<QString>("standIn");
        const QString group = QLocale::system().groupSeparator();
        QTest::newRow("own separator") << group;
        if (group == QChar(0x202F) || group == QChar(0x00A0)) {
            QTest::newRow("space") << QString(" ");
            QTest::newRow("no-break space") << QString(QChar(0x00A0));
            QTest::newRow("narrow no-break space") << QString(QChar(0x202F));
        }
        if (group == QChar(0x2019)) {
            QTest::newRow("apostrophe") << QString("'");
        }
    }

    void standInGroupSeparatorsReadAsTheLocalesOwn() {
        QFETCH(QString, standIn);
        const QLocale system = QLocale::system();
        const QString upper = "1" + standIn + "000" + system.decimalPoint() + "5";
        const Expected inC = calculated({"4", "999", "1000.5", "0.001"}, QLocale::c());
        QVERIFY2(!inC.line.isEmpty(), qPrintable(inC.warning));

        WindowForm form;
        QVERIFY(form.open());
        typeOver(form.txtanzschr, "4");
        typeOver(form.txtug, "999");
        typeOver(form.txtog, upper);
        typeOver(form.txtaw, "0" + system.decimalPoint() + "001");
        form.press();
        QCOMPARE(form.warnings, QStringList());
        QCOMPARE(form.lines(), QStringList{inSystemSigns(inC.line)});
    }
};

QTEST_MAIN(WindowLocaleTest)
#include "window_locale_test.moc"
