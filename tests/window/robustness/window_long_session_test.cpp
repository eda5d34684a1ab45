// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/window/robustness/robust_form.h"

#include <QApplication>
#include <QTest>

#include <fstream>
#include <unistd.h>

namespace {

constexpr int click_count = 100000;
// Generous: an item holds its text and a few attributes, well under this.
constexpr double bytes_per_line_bound = 2048;

// Resident memory of the process, in bytes.
double residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

} // namespace

class WindowLongSessionTest : public QObject {
    Q_OBJECT

private slots:
    void hundredThousandClicksKeepEveryLineInLittleMemory() {
        const QLocale system = QLocale::system();
        WindowForm form;
        QVERIFY(form.open());
        form.txtug->setText("0");
        form.txtog->setText("1");
        form.txtaw->setText("1");
        // The step counts 1 to 99 in turn give 99 different lines.
        QStringList distinct;
        for (int count = 1; count <= 99; ++count) {
            const Expected expected = calculated({QString::number(count), "0", "1", "1"}, system);
            QVERIFY2(!expected.line.isEmpty(), qPrintable(expected.warning));
            distinct.append(expected.line);
        }

        form.txtanzschr->setText("1");
        form.cmdRechnen->click();
        QCoreApplication::processEvents();
        const double before = residentBytes();
        for (int n = 1; n < click_count; ++n) {
            form.txtanzschr->setText(QString::number(n % 99 + 1));
            form.cmdRechnen->click();
            if (n % 1000 == 0) {
                QCoreApplication::processEvents();
            }
        }
        QCoreApplication::processEvents();
        const double perLine = (residentBytes() - before) / (click_count - 1);
        qInfo() << "resident memory per line:" << perLine << "bytes";

        QCOMPARE(form.warnings, QStringList());
        QCOMPARE(form.ausgabe->count(), click_count);
        for (int row = 0; row < click_count; ++row) {
            QVERIFY2(form.ausgabe->item(row)->text() == distinct.at(row % 99),
                     qPrintable(QString("line %1").arg(row)));
        }
        QVERIFY2(perLine < bytes_per_line_bound, qPrintable(QString::number(perLine)));
    }
};

QTEST_MAIN(WindowLongSessionTest)
#include "window_long_session_test.moc"
