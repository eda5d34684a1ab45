// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/tolerance_study_output.h"

#include "calc/analysis/tolerance_study.h"
#include "cli/output.h"
#include "qt/number_locale.h"

#include <QLocale>

namespace cli {

namespace {

// Without a progress callback nothing cancels the study, so it always has a result.
template <class Line> int printStudyOf(const Line& line, const std::vector<calc::Pair>& pairs) {
    const calc::NumberLocale locale = calcNumberLocale(QLocale::system());
    const auto study = calc::run_tolerance_study(line, pairs);
    return printResult(study ? calc::tolerance_study_csv(*study, locale) : std::string());
}

} // namespace

int printToleranceStudy(const calc::ResultLine& line, const std::vector<calc::Pair>& pairs) {
    return printStudyOf(line, pairs);
}

int printToleranceStudy(const calc::SystemLine& line, const std::vector<calc::Pair>& pairs) {
    return printStudyOf(line, pairs);
}

} // namespace cli
