// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/analysis/stability_rational.h"

#include <array>
#include <cmath>
#include <complex>
#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

namespace calc::rational {

namespace {

// The boundaries by marching squares on v = |P|² - |Q|² over the upper half of the region,
// mirrored to the lower half (R has real coefficients, so |R(z̄)| = |R(z)|). The grid's Re
// nodes sit half a cell off the whole multiples of its spacing, so that none is at z = 0, where
// |R| = 1 for every method.

constexpr double grid_spacing = 0.05;

struct Grid {
    std::size_t nx = 0;
    std::size_t ny = 0;
    std::vector<double> v; // v[j * nx + i] at z = re(i) + i·im(j)

    double re(std::size_t i) const {
        return boundary_re_min - grid_spacing / 2 + static_cast<double>(i) * grid_spacing;
    }
    double im(std::size_t j) const { return static_cast<double>(j) * grid_spacing; }
    double at(std::size_t i, std::size_t j) const { return v[j * nx + i]; }
};

double boundary_value(const Rational& r, Complex z) {
    return std::norm(horner(r.p, r.p_degree, z)) - std::norm(horner(r.q, r.q_degree, z));
}

} // namespace

StabilityBoundary boundary_of(const Rational& r) {
    Grid g;
    g.nx =
        static_cast<std::size_t>(std::ceil((boundary_re_max - boundary_re_min) / grid_spacing)) + 2;
    g.ny = static_cast<std::size_t>(std::ceil(boundary_im_max / grid_spacing)) + 1;
    g.v.resize(g.nx * g.ny);
    for (std::size_t j = 0; j < g.ny; ++j) {
        for (std::size_t i = 0; i < g.nx; ++i) {
            g.v[j * g.nx + i] = boundary_value(r, {g.re(i), g.im(j)});
        }
    }
    // Edge ids: the horizontal edge from node (i, j) to (i + 1, j) is j (nx - 1) + i, the
    // vertical one from (i, j) to (i, j + 1) is horizontal + j nx + i.
    const std::size_t horizontal = (g.nx - 1) * g.ny;
    const std::size_t edges = horizontal + g.nx * (g.ny - 1);
    constexpr std::size_t none = std::numeric_limits<std::size_t>::max();
    std::vector<std::array<std::size_t, 2>> next(edges, {none, none});
    std::vector<Complex> point(edges);
    const auto crossing = [&](std::size_t i0, std::size_t j0, std::size_t i1, std::size_t j1) {
        const double v0 = g.at(i0, j0);
        const double v1 = g.at(i1, j1);
        const double t = v0 / (v0 - v1);
        return Complex(g.re(i0) + t * (g.re(i1) - g.re(i0)), g.im(j0) + t * (g.im(j1) - g.im(j0)));
    };
    const auto link = [&](std::size_t a, std::size_t b) {
        (next[a][0] == none ? next[a][0] : next[a][1]) = b;
        (next[b][0] == none ? next[b][0] : next[b][1]) = a;
    };
    for (std::size_t j = 0; j + 1 < g.ny; ++j) {
        for (std::size_t i = 0; i + 1 < g.nx; ++i) {
            // Corners a (i, j), b (i+1, j), c (i+1, j+1), d (i, j+1); outside where v > 0.
            const bool a = g.at(i, j) > 0;
            const bool b = g.at(i + 1, j) > 0;
            const bool c = g.at(i + 1, j + 1) > 0;
            const bool d = g.at(i, j + 1) > 0;
            const std::size_t bottom = j * (g.nx - 1) + i;
            const std::size_t top = (j + 1) * (g.nx - 1) + i;
            const std::size_t left = horizontal + j * g.nx + i;
            const std::size_t right = left + 1;
            if (a != b) {
                point[bottom] = crossing(i, j, i + 1, j);
            }
            if (d != c) {
                point[top] = crossing(i, j + 1, i + 1, j + 1);
            }
            if (a != d) {
                point[left] = crossing(i, j, i, j + 1);
            }
            if (b != c) {
                point[right] = crossing(i + 1, j, i + 1, j + 1);
            }
            const int crossings = (a != b) + (b != c) + (c != d) + (d != a);
            if (crossings == 2) {
                std::array<std::size_t, 2> ends{};
                std::size_t found = 0;
                for (const auto& [crossed, edge] :
                     {std::pair{a != b, bottom}, std::pair{b != c, right}, std::pair{c != d, top},
                      std::pair{d != a, left}}) {
                    if (crossed) {
                        ends[found++] = edge;
                    }
                }
                link(ends[0], ends[1]);
            } else if (crossings == 4) {
                // A saddle: cut off the corners whose side differs from the cell's centre.
                const bool centre =
                    g.at(i, j) + g.at(i + 1, j) + g.at(i + 1, j + 1) + g.at(i, j + 1) > 0;
                if (a != centre) {
                    link(left, bottom);
                    link(right, top);
                } else {
                    link(bottom, right);
                    link(top, left);
                }
            }
        }
    }
    StabilityBoundary boundary;
    std::vector<bool> visited(edges, false);
    const auto walk = [&](std::size_t start, bool closed) {
        std::vector<Complex> line;
        std::size_t previous = none;
        std::size_t current = start;
        while (current != none && !visited[current]) {
            visited[current] = true;
            line.push_back(point[current]);
            const std::size_t after =
                next[current][0] != previous ? next[current][0] : next[current][1];
            previous = current;
            current = after;
        }
        if (closed) {
            line.push_back(point[start]);
        }
        boundary.lines.push_back(std::move(line));
    };
    for (std::size_t e = 0; e < edges; ++e) {
        if (!visited[e] && next[e][0] != none && next[e][1] == none) {
            walk(e, false);
        }
    }
    for (std::size_t e = 0; e < edges; ++e) {
        if (!visited[e] && next[e][1] != none) {
            walk(e, true);
        }
    }
    const std::size_t upper = boundary.lines.size();
    for (std::size_t l = 0; l < upper; ++l) {
        std::vector<Complex> mirrored(boundary.lines[l].rbegin(), boundary.lines[l].rend());
        for (Complex& z : mirrored) {
            z = std::conj(z);
        }
        boundary.lines.push_back(std::move(mirrored));
    }
    return boundary;
}

} // namespace calc::rational
