// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/core/methods.h"

#include "calc/core/rk4.h"

#include <cmath>

namespace calc {

namespace {

// The default right-hand side, compiled into every pass that uses it.
struct DefaultSlope {
    double operator()(double x, double y) const { return default_slope(x, y); }
};

// A typed right-hand side, read by the formula reader on the calling thread.
struct TypedSlope {
    Expression::Evaluator formula;
    double operator()(double x, double y) const { return formula(x, y); }
};

// The end of a run whose pass from p failed, the pass made again to tell why; kept out of line so
// that the loop of passes holds nothing of a pass for it.
[[gnu::noinline]] RunEnd failed_pass(Method id, const Equation& f, Point p, double h) {
    RunEnd end{{}, false};
    const Pass pass = make_pass(id, f, p, h);
    end.point = pass.next;
    end.failure = failure_of(pass, id, f, &end.where);
    return end;
}

// The passes of a slope, the method chosen once for the whole run, each pass checked whole: a
// typed f can fail at a stage whose value the point no longer shows, and an implicit pass can
// fail in its Newton iterations.
template <class Slope, Pass (*method)(const Slope&, const Point&, double)>
[[gnu::noinline]] RunEnd checked_passes(Method id, const Equation& f, const Slope& slope,
                                        Point start, double h, int passes) {
    Point p = start;
    std::size_t iterations = 0;
    for (int i = 0; i < passes; ++i) {
        const Pass pass = method(slope, p, h);
        iterations += static_cast<std::size_t>(pass.iterations);
        RunEnd end{pass.next, false};
        end.iterations = iterations;
        if (const Failure failure = failure_of(pass, id, f, &end.where); failure != Failure::none) {
            end.failure = failure;
            if (failure == Failure::newton) {
                end.where = p;
            }
            return end;
        }
        p = pass.next;
    }
    RunEnd end{p, true};
    end.iterations = iterations;
    return end;
}

template <Pass (*method)(const TypedSlope&, const Point&, double)>
[[gnu::noinline]] RunEnd typed_run(Method id, const Equation& f, const Expression& formula,
                                   Point start, double h, int passes) {
    const TypedSlope slope{formula.evaluator()};
    return checked_passes<TypedSlope, method>(id, f, slope, start, h, passes);
}

// The passes of an implicit method, for the default f too, each checked whole.
template <Pass (*method)(const DefaultSlope&, const Point&, double),
          Pass (*typed_method)(const TypedSlope&, const Point&, double)>
RunEnd implicit_run(Method id, const Equation& f, Point start, double h, int passes) {
    if (const Expression* formula = f.formula()) {
        return typed_run<typed_method>(id, f, *formula, start, h, passes);
    }
    return checked_passes<DefaultSlope, method>(id, f, DefaultSlope{}, start, h, passes);
}

// The passes of one method, the method chosen once for the whole run. For the default f a
// failing stage always reaches the point, so the point is checked alone, and the loop keeps
// nothing of a pass but the point it reaches. The typed run is a function of its own, so that
// nothing of it (a point whose address a call takes) keeps this loop's point in memory.
template <Pass (*method)(const DefaultSlope&, const Point&, double),
          Pass (*typed_method)(const TypedSlope&, const Point&, double)>
RunEnd run_passes_with(Method id, const Equation& f, Point start, double h, int passes) {
    if (const Expression* formula = f.formula()) {
        return typed_run<typed_method>(id, f, *formula, start, h, passes);
    }
    const DefaultSlope slope{};
    Point p = start;
    for (int i = 0; i < passes; ++i) {
        const Point next = method(slope, p, h).next;
        if (!finite(next)) {
            return failed_pass(id, f, p, h);
        }
        p = next;
    }
    return {p, true};
}

} // namespace

std::optional<Method> method_named(std::string_view cli_name) {
    for (const MethodInfo& info : method_table) {
        if (info.cli_name == cli_name) {
            return info.id;
        }
    }
    return std::nullopt;
}

Pass make_pass(Method method, const Equation& f, Point p, double h) {
    if (const Expression* formula = f.formula()) {
        const TypedSlope slope{formula->evaluator()};
        return passes::pass_of(method, slope, p, h);
    }
    const DefaultSlope slope{};
    return passes::pass_of(method, slope, p, h);
}

Failure failure_of(const Pass& pass, Method method, const Equation& f, Point* where) {
    RunEnd end{{}, false};
    const auto stage_count = static_cast<std::size_t>(method_info(method).stage_count);
    const Failure failure = passes::failure_of(pass, stage_count, !f.is_default(), &end);
    if (where && failure == Failure::undefined) {
        *where = end.where;
    }
    return failure;
}

RunEnd run_passes(Method method, const Equation& f, Point start, double h, int passes) {
    switch (method) {
    case Method::euler:
        return run_passes_with<passes::euler<double, const DefaultSlope>,
                               passes::euler<double, const TypedSlope>>(method, f, start, h,
                                                                        passes);
    case Method::heun:
        return run_passes_with<passes::heun<double, const DefaultSlope>,
                               passes::heun<double, const TypedSlope>>(method, f, start, h, passes);
    case Method::midpoint:
        return run_passes_with<passes::midpoint<double, const DefaultSlope>,
                               passes::midpoint<double, const TypedSlope>>(method, f, start, h,
                                                                           passes);
    case Method::rk3:
        return run_passes_with<passes::rk3<double, const DefaultSlope>,
                               passes::rk3<double, const TypedSlope>>(method, f, start, h, passes);
    case Method::implicit_euler:
        return implicit_run<passes::implicit_euler<double, const DefaultSlope>,
                            passes::implicit_euler<double, const TypedSlope>>(method, f, start, h,
                                                                              passes);
    case Method::trapezoid:
        return implicit_run<passes::trapezoid<double, const DefaultSlope>,
                            passes::trapezoid<double, const TypedSlope>>(method, f, start, h,
                                                                         passes);
    case Method::implicit_midpoint:
        return implicit_run<passes::implicit_midpoint<double, const DefaultSlope>,
                            passes::implicit_midpoint<double, const TypedSlope>>(method, f, start,
                                                                                 h, passes);
    case Method::rk4:
        break;
    }
    return run_passes_with<passes::rk4<double, const DefaultSlope>,
                           passes::rk4<double, const TypedSlope>>(method, f, start, h, passes);
}

Point rk4_pass(Point p, double h) {
    const DefaultSlope slope{};
    return passes::rk4(slope, p, h).next;
}

RunEnd rk4_run(Point start, double h, int passes) {
    return run_passes(Method::rk4, Equation{}, start, h, passes);
}

} // namespace calc
