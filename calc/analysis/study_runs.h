// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The convergence study written once over the state, a scalar double or a system's Vector: the
// runs at P·2^j passes in chunks on worker threads, their errors and orders, the round-off
// floor, the table's cells and the CSV. The study of a scalar (calc/analysis/study.h) and of a
// system (calc/analysis/system_study.h) are its two instantiations.

#include "calc/analysis/errors.h"
#include "calc/analysis/worker_threads.h"
#include "calc/core/methods.h"
#include "calc/core/passes.h"
#include "calc/core/point.h"
#include "calc/core/steps.h"
#include "calc/text/labels.h"
#include "calc/text/number_text.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// One run of the study: `passes` passes of step h from the line's start.
template <class State> struct StudyRunOf {
    int passes;
    double h;
    PointOf<State> end;          // where the run ended (x advanced by repeated addition of h)
    bool finite;                 // false when the run failed; then error and eoc are none
    std::optional<double> error; // against the exact solution: y_end - exact(x_end), signed for a
                                 // scalar, its maximum norm for a system; without one the same
                                 // of y_end(j) - y_end(j+1), none for the finest run
    std::optional<double> eoc;   // log2(|E_{j-1}| / |E_j|); none in the first row and wherever
                                 // an error is 0 or missing
    std::size_t evaluations = 0; // of f, as evaluations_of counts them
};

template <class State> struct MethodStudyOf {
    Method method;
    std::vector<StudyRunOf<State>> runs; // j = 0, 1, ... (the same count for every method)
    std::optional<double> floor_h;       // h_{j-1} where the error stopped falling (round-off)
};

// Told how many of `total` runs are done; returns false to cancel. Called from the study's
// worker threads, one call at a time.
using StudyProgress = std::function<bool(int done, int total)>;

inline constexpr int study_pass_limit = 1 << 20;

namespace study_runs {

namespace text {
inline constexpr std::string_view error = "|Fehler| ";
inline constexpr std::string_view eoc = "EOC ";
inline constexpr std::string_view floor_before = "Ab h = ";
inline constexpr std::string_view floor_middle = " f\u00e4llt der Fehler von ";
inline constexpr std::string_view floor_after = " nicht mehr: die Rundung \u00fcberwiegt.";
} // namespace text

// An error must fall by more than this factor from one run to the next to count as falling.
inline constexpr double falling_factor = 1.5;

// Runs are made in chunks of passes, so that a cancel is noticed within milliseconds.
inline constexpr int chunk_passes = 1 << 14;

struct Plan {
    int base_passes;
    double h;
    int runs;
};

// Runs j = 0.. with P·2^j passes (P = the line's passes, at least 1) while P·2^j <= pass_limit.
inline Plan plan_of(const Steps& steps, int pass_limit) {
    const int base = std::max(1, steps.passes);
    int runs = 0;
    for (long long passes = base; passes <= pass_limit; passes *= 2) {
        ++runs;
    }
    return {base, steps.h, runs};
}

// The shared state of the workers: the runs done, and the cancel.
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

// What the study needs of a problem, for a Problem with a State:
//   PointOf<State> start() const;
//   RunEndOf<State> run(Method, PointOf<State> from, double h, int passes) const;
//   bool has_exact() const;
//   std::optional<State> exact(double x) const; // through the start
// A copy of a Problem evaluates on its own, so each worker takes one.

// One run, made in chunks: the passes continue from where the last chunk ended, exactly as one
// long run would. Nothing when cancelled.
template <class Problem, class State = typename Problem::State>
std::optional<RunEndOf<State>> chunked_run(const Problem& problem, Method method, double h,
                                           int passes, Progress& progress) {
    RunEndOf<State> end{problem.start(), true};
    std::size_t iterations = 0;
    for (int made = 0; made < passes;) {
        const int chunk = std::min(chunk_passes, passes - made);
        end = problem.run(method, end.point, h, chunk);
        iterations += end.iterations;
        made += chunk;
        if (!end.finite) {
            break;
        }
        if (made < passes && !progress.report(0)) {
            return std::nullopt;
        }
    }
    end.iterations = iterations;
    return end;
}

// Errors, orders and the round-off floor of one method's runs, ends given.
template <class Problem, class State = typename Problem::State>
void assess(MethodStudyOf<State>& study, const Problem& problem) {
    std::vector<StudyRunOf<State>>& runs = study.runs;
    for (std::size_t j = 0; j < runs.size(); ++j) {
        StudyRunOf<State>& r = runs[j];
        if (!r.finite) {
            continue;
        }
        if (problem.has_exact()) {
            r.error = difference(r.end.y, problem.exact(r.end.x));
        } else if (j + 1 < runs.size() && runs[j + 1].finite) {
            r.error = difference(r.end.y, std::optional<State>(runs[j + 1].end.y));
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

template <class Problem, class State = typename Problem::State>
std::optional<MethodStudyOf<State>> study_method(const Problem& problem, Method method,
                                                 const Plan& plan, Progress& progress) {
    MethodStudyOf<State> study{method, {}, {}};
    study.runs.reserve(static_cast<std::size_t>(plan.runs));
    for (int j = 0; j < plan.runs; ++j) {
        const int passes = plan.base_passes << j;
        const double h = plan.h / static_cast<double>(1 << j);
        const auto end = chunked_run(problem, method, h, passes, progress);
        if (!end) {
            return std::nullopt;
        }
        study.runs.push_back({passes,
                              h,
                              end->point,
                              end->finite,
                              {},
                              {},
                              evaluations_of(method, static_cast<std::size_t>(passes),
                                             end->iterations, component_count(end->point.y))});
        if (!progress.report(1)) {
            return std::nullopt;
        }
    }
    assess(study, problem);
    return study;
}

// Every method's study on up to `threads` threads; none when cancelled.
template <class Problem, class State = typename Problem::State>
std::optional<std::vector<MethodStudyOf<State>>>
study_methods(const Problem& problem, const std::vector<Method>& methods, const Plan& plan,
              const StudyProgress& progress, int threads) {
    Progress shared(progress, plan.runs * static_cast<int>(methods.size()));
    std::vector<std::optional<MethodStudyOf<State>>> results(methods.size());

    // The costliest methods first, so that two workers finish at about the same time: an
    // implicit pass, with its Newton iterations and their Jacobians, costs several times an
    // explicit one; among the explicit methods the cost goes with the stages.
    std::vector<std::size_t> order(methods.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    const auto costlier = [](Method a, Method b) {
        const MethodInfo& first = method_info(a);
        const MethodInfo& second = method_info(b);
        if (first.implicit != second.implicit) {
            return first.implicit;
        }
        return first.stage_count > second.stage_count;
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return costlier(methods[a], methods[b]);
    });
    std::atomic<std::size_t> next{0};
    std::atomic<bool> cancelled{false};
    auto work = [&] {
        // Each worker evaluates its own copies of typed formulas.
        const Problem own = problem;
        for (std::size_t k = next++; k < order.size() && !cancelled; k = next++) {
            const std::size_t i = order[k];
            results[i] = study_method(own, methods[i], plan, shared);
            if (!results[i]) {
                cancelled = true;
            }
        }
    };
    run_on_threads(threads, methods.size(), work);
    if (cancelled) {
        return std::nullopt;
    }
    std::vector<MethodStudyOf<State>> studies;
    studies.reserve(results.size());
    for (auto& result : results) {
        studies.push_back(std::move(*result));
    }
    return studies;
}

inline double component_of(double y, std::size_t) {
    return y;
}

inline double component_of(const Vector& y, std::size_t i) {
    return y[i];
}

// The long CSV: "Verfahren;Schritte;h;x;<y captions>;Fehler;EOC" (',' separated where the
// decimal separator is not ','), one line per method and j, method CLI names, every digit,
// empty cells where there is none; "\n" after each line.
template <class State>
std::string csv(const std::vector<MethodStudyOf<State>>& methods,
                const std::vector<std::string>& y_captions, const NumberLocale& locale) {
    const char separator = list_separator(locale);
    std::string out;
    for (const std::string_view caption :
         {caption::method, caption::steps, caption::h, caption::x}) {
        if (caption != caption::method) {
            out.push_back(separator);
        }
        out.append(caption);
    }
    for (const std::string& caption : y_captions) {
        out.push_back(separator);
        out.append(caption);
    }
    for (const std::string_view caption : {caption::error, caption::eoc}) {
        out.push_back(separator);
        out.append(caption);
    }
    out.push_back('\n');
    for (const MethodStudyOf<State>& method : methods) {
        for (const StudyRunOf<State>& r : method.runs) {
            out.append(method_info(method.method).cli_name);
            const auto cell = [&](std::optional<double> value) {
                out.push_back(separator);
                if (value) {
                    out.append(format_general(*value, locale));
                }
            };
            cell(r.passes);
            cell(r.h);
            cell(r.finite ? std::optional<double>(r.end.x) : std::nullopt);
            for (std::size_t i = 0; i < y_captions.size(); ++i) {
                cell(r.finite ? std::optional<double>(component_of(r.end.y, i)) : std::nullopt);
            }
            cell(r.error);
            cell(r.eoc);
            out.push_back('\n');
        }
    }
    return out;
}

// The table "Konvergenz": captions "Schritte", "h", then per method "|Fehler| <short name>",
// "EOC <short name>".
template <class State>
std::vector<std::string> columns(const std::vector<MethodStudyOf<State>>& methods) {
    std::vector<std::string> out{std::string(caption::steps), std::string(caption::h)};
    for (const MethodStudyOf<State>& method : methods) {
        const std::string_view name = method_info(method.method).short_name;
        out.push_back(std::string(text::error).append(name));
        out.push_back(std::string(text::eoc).append(name));
    }
    return out;
}

// The cells of row j: passes, h, then per method |error| and EOC with two decimals, "–" where
// there is none; no cells past the last row.
template <class State>
std::vector<std::string> cells(const std::vector<MethodStudyOf<State>>& methods, std::size_t j,
                               const NumberLocale& locale) {
    std::vector<std::string> out;
    if (methods.empty() || j >= methods.front().runs.size()) {
        return out;
    }
    const StudyRunOf<State>& first = methods.front().runs[j];
    out.push_back(std::to_string(first.passes));
    out.push_back(format_general(first.h, locale));
    for (const MethodStudyOf<State>& method : methods) {
        const StudyRunOf<State>& r = method.runs[j];
        out.push_back(
            value_text(r.error ? std::optional(std::fabs(*r.error)) : std::nullopt, locale));
        out.push_back(order_value_text(r.eoc, locale));
    }
    return out;
}

// "Ab h = <h> fällt der Fehler von <short name> nicht mehr: die Rundung überwiegt." per method
// with a floor, joined by one space; empty without any.
template <class State>
std::string roundoff(const std::vector<MethodStudyOf<State>>& methods, const NumberLocale& locale) {
    std::string note;
    for (const MethodStudyOf<State>& method : methods) {
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

} // namespace study_runs

} // namespace calc
