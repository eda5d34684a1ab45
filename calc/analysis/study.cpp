// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/study.h"

#include "calc/analysis/errors.h"
#include "calc/text/labels.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

namespace calc {

namespace {

namespace text {
constexpr std::string_view csv_columns[] = {caption::method, caption::steps, caption::h,
                                            caption::x,      caption::y,     caption::error,
                                            caption::eoc};
constexpr std::string_view error = "|Fehler| ";
constexpr std::string_view eoc = "EOC ";
constexpr std::string_view floor_before = "Ab h = ";
constexpr std::string_view floor_middle = " f\u00e4llt der Fehler von ";
constexpr std::string_view floor_after = " nicht mehr: die Rundung \u00fcberwiegt.";
} // namespace text

// An error must fall by more than this factor from one run to the next to count as falling.
constexpr double falling_factor = 1.5;

// Runs are made in chunks of passes, so that a cancel is noticed within milliseconds.
constexpr int chunk_passes = 1 << 14;

struct Plan {
    int base_passes;
    double h;
    int runs;
};

Plan plan_of(const Numbers& numbers, int pass_limit) {
    const Steps steps = steps_of(numbers);
    const int base = std::max(1, steps.passes);
    int runs = 0;
    for (long long passes = base; passes <= pass_limit; passes *= 2) {
        ++runs;
    }
    return {base, steps.h, runs};
}

// The shared state of the workers: the next method to take, the runs done, and the cancel.
class Progress {
public:
    Progress(const StudyProgress& report, int total) : m_report(report), m_total(total) {}

    // Reports the runs done so far, `finished` more than before; false once cancelled.
    bool report(int finished) {
        std::lock_guard lock(m_mutex);
        m_done += finished;
        if (m_report && !m_cancelled && !m_report(m_done, m_total)) {
            m_cancelled = true;
        }
        return !m_cancelled;
    }

private:
    const StudyProgress& m_report;
    std::mutex m_mutex;
    int m_total;
    int m_done = 0;
    bool m_cancelled = false;
};

// One run, made in chunks: the passes continue from where the last chunk ended, exactly as one
// long run would. Nothing when cancelled.
std::optional<RunEnd> chunked_run(Method method, const Equation& f, Point start, double h,
                                  int passes, Progress& progress) {
    RunEnd end{start, true};
    for (int made = 0; made < passes;) {
        const int chunk = std::min(chunk_passes, passes - made);
        end = run_passes(method, f, end.point, h, chunk);
        made += chunk;
        if (!end.finite) {
            break;
        }
        if (made < passes && !progress.report(0)) {
            return std::nullopt;
        }
    }
    return end;
}

// Errors, orders and the round-off floor of one method's runs, ends given.
void assess(MethodStudy& study, const Numbers& numbers, const std::optional<ExactSolution>& exact) {
    std::vector<StudyRun>& runs = study.runs;
    for (std::size_t j = 0; j < runs.size(); ++j) {
        StudyRun& r = runs[j];
        if (!r.finite) {
            continue;
        }
        if (exact) {
            r.error = difference(r.end.y, exact->at(numbers.ug, numbers.aw, r.end.x));
        } else if (j + 1 < runs.size() && runs[j + 1].finite) {
            r.error = difference(r.end.y, runs[j + 1].end.y);
        }
    }
    bool fell = false;
    for (std::size_t j = 1; j < runs.size(); ++j) {
        const auto& before = runs[j - 1].error;
        const auto& now = runs[j].error;
        if (!before || !now) {
            continue;
        }
        runs[j].eoc = log2_ratio(*before, *now);
        if (std::fabs(*now) < std::fabs(*before) / falling_factor) {
            fell = true;
        } else if (fell && !study.floor_h) {
            study.floor_h = runs[j - 1].h;
        }
    }
}

std::optional<MethodStudy> study_method(Method method, const Numbers& numbers, const Equation& f,
                                        const std::optional<ExactSolution>& exact, const Plan& plan,
                                        Progress& progress) {
    MethodStudy study{method, {}, {}};
    study.runs.reserve(static_cast<std::size_t>(plan.runs));
    for (int j = 0; j < plan.runs; ++j) {
        const int passes = plan.base_passes << j;
        const double h = plan.h / static_cast<double>(1 << j);
        const auto end = chunked_run(method, f, {numbers.ug, numbers.aw}, h, passes, progress);
        if (!end) {
            return std::nullopt;
        }
        study.runs.push_back({passes, h, end->point, end->finite, {}, {}});
        if (!progress.report(1)) {
            return std::nullopt;
        }
    }
    assess(study, numbers, exact);
    return study;
}

} // namespace

std::optional<Study> run_study(const Numbers& numbers, const Equation& f,
                               const std::vector<Method>& methods,
                               const std::optional<ExactSolution>& exact, int pass_limit,
                               const StudyProgress& progress, int threads) {
    const Plan plan = plan_of(numbers, pass_limit);
    Progress shared(progress, plan.runs * static_cast<int>(methods.size()));
    std::vector<std::optional<MethodStudy>> results(methods.size());

    // The costliest methods first, so that two workers finish at about the same time.
    std::vector<std::size_t> order(methods.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return method_info(methods[a]).stage_count > method_info(methods[b]).stage_count;
    });
    std::atomic<std::size_t> next{0};
    std::atomic<bool> cancelled{false};
    auto work = [&] {
        // Each worker evaluates its own copies of typed formulas.
        const Equation own = f;
        const std::optional<ExactSolution> own_exact = exact;
        for (std::size_t k = next++; k < order.size() && !cancelled; k = next++) {
            const std::size_t i = order[k];
            results[i] = study_method(methods[i], numbers, own, own_exact, plan, shared);
            if (!results[i]) {
                cancelled = true;
            }
        }
    };
    const auto helpers = static_cast<std::size_t>(
        std::clamp(threads, 1, std::max(1, static_cast<int>(methods.size()))) - 1);
    std::vector<std::thread> workers;
    workers.reserve(helpers);
    for (std::size_t t = 0; t < helpers; ++t) {
        workers.emplace_back(work);
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
    if (cancelled) {
        return std::nullopt;
    }
    Study study{numbers, exact.has_value(), {}};
    for (auto& result : results) {
        study.methods.push_back(std::move(*result));
    }
    return study;
}

std::string study_csv(const Study& study, const NumberLocale& locale) {
    const char separator = list_separator(locale);
    std::string csv;
    for (const std::string_view caption : text::csv_columns) {
        if (caption != text::csv_columns[0]) {
            csv.push_back(separator);
        }
        csv.append(caption);
    }
    csv.push_back('\n');
    for (const MethodStudy& method : study.methods) {
        for (const StudyRun& r : method.runs) {
            csv.append(method_info(method.method).cli_name);
            for (const auto& cell :
                 {std::optional<double>(r.passes), std::optional<double>(r.h),
                  r.finite ? std::optional<double>(r.end.x) : std::nullopt,
                  r.finite ? std::optional<double>(r.end.y) : std::nullopt, r.error, r.eoc}) {
                csv.push_back(separator);
                if (cell) {
                    csv.append(format_general(*cell, locale));
                }
            }
            csv.push_back('\n');
        }
    }
    return csv;
}

std::vector<std::string> study_columns(const Study& study) {
    std::vector<std::string> columns{std::string(caption::steps), std::string(caption::h)};
    for (const MethodStudy& method : study.methods) {
        const std::string_view name = method_info(method.method).short_name;
        columns.push_back(std::string(text::error).append(name));
        columns.push_back(std::string(text::eoc).append(name));
    }
    return columns;
}

std::vector<std::string> study_cells(const Study& study, std::size_t j,
                                     const NumberLocale& locale) {
    std::vector<std::string> cells;
    if (study.methods.empty() || j >= study.methods.front().runs.size()) {
        return cells;
    }
    const StudyRun& first = study.methods.front().runs[j];
    cells.push_back(std::to_string(first.passes));
    cells.push_back(format_general(first.h, locale));
    for (const MethodStudy& method : study.methods) {
        const StudyRun& r = method.runs[j];
        cells.push_back(
            value_text(r.error ? std::optional(std::fabs(*r.error)) : std::nullopt, locale));
        cells.push_back(order_value_text(r.eoc, locale));
    }
    return cells;
}

std::string roundoff_text(const Study& study, const NumberLocale& locale) {
    std::string note;
    for (const MethodStudy& method : study.methods) {
        if (!method.floor_h) {
            continue;
        }
        if (!note.empty()) {
            note += ' ';
        }
        note += text::floor_before;
        note += format_general(*method.floor_h, locale);
        note += text::floor_middle;
        note += method_info(method.method).short_name;
        note += text::floor_after;
    }
    return note;
}

} // namespace calc
