// The expression evaluator against muparser and native C++ on curve-like formulas, evaluated the way the
// control plots a function: set the variable "x", ask for the value, once per point.
//
// Each formula runs three ways in the same program: Plotara/i (CExpression: Variable("x") then Value),
// muparser/i (a bound double, then Eval) and native/i (the formula compiled as C++). Compare the times of
// the same i: Plotara/i divided by muparser/i is the ratio to report.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <string>
#include <vector>

#include "expr/CExpression.h"

namespace {

struct Formula {
  const char* plotara;
  const char* muparser;
  double (*native)(double);
};

const Formula kFormulas[] = {
    {"2*SIN(x)+1", "2*sin(x)+1", [](double x) { return 2 * std::sin(x) + 1; }},
    {"x^2+3*x+1", "x^2+3*x+1", [](double x) { return x * x + 3 * x + 1; }},
    {"SIN(x)*COS(x)", "sin(x)*cos(x)", [](double x) { return std::sin(x) * std::cos(x); }},
    {"(x+1)*(x-1)/(x*x+1)", "(x+1)*(x-1)/(x*x+1)", [](double x) { return (x + 1) * (x - 1) / (x * x + 1); }},
    {"EXP(-x*x/2)*COS(3*x)", "exp(-x*x/2)*cos(3*x)",
     [](double x) { return std::exp(-x * x / 2) * std::cos(3 * x); }},
    {"SQR(ABS(x))+LOG(ABS(x)+1)", "sqrt(abs(x))+log10(abs(x)+1)",
     [](double x) { return std::sqrt(std::fabs(x)) + std::log10(std::fabs(x) + 1); }},
    {"IIF(x > 0, x, -x) + MAX(x, 0.5)", "(x > 0 ? x : -x) + max(x, 0.5)",
     [](double x) { return (x > 0 ? x : -x) + std::max(x, 0.5); }},
};
constexpr int kFormulaCount = sizeof kFormulas / sizeof kFormulas[0];

// One plotted curve: 1000 points over [-5, 5).
constexpr int kPoints = 1000;
std::vector<double> Xs() {
  std::vector<double> xs(kPoints);
  for (int i = 0; i < kPoints; ++i) xs[i] = -5 + 10.0 * i / kPoints;
  return xs;
}

void Plotara(benchmark::State& state) {
  const Formula& f = kFormulas[state.range(0)];
  const std::vector<double> xs = Xs();
  plotara::CExpression e;
  e.ResetVariables();
  e.Expression(f.plotara);
  if (e.ErrorCode() != 0) state.SkipWithError(e.ErrorDescription().c_str());
  e.Variable("x", true, 0);
  for (auto _ : state) {
    double sum = 0;
    for (double x : xs) {
      e.Variable("x", false, x);
      sum += e.Value().DoubleValue();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
  state.SetLabel(f.plotara);
}

void Muparser(benchmark::State& state) {
  const Formula& f = kFormulas[state.range(0)];
  const std::vector<double> xs = Xs();
  double x = 0;
  mu::Parser p;
  p.DefineVar("x", &x);
  p.SetExpr(f.muparser);
  p.Eval();  // parses
  for (auto _ : state) {
    double sum = 0;
    for (double v : xs) {
      x = v;
      sum += p.Eval();
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
  state.SetLabel(f.muparser);
}

void Native(benchmark::State& state) {
  const Formula& f = kFormulas[state.range(0)];
  const std::vector<double> xs = Xs();
  for (auto _ : state) {
    double sum = 0;
    for (double x : xs) {
      benchmark::DoNotOptimize(x);
      sum += f.native(x);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

}  // namespace

BENCHMARK(Plotara)->DenseRange(0, kFormulaCount - 1);
BENCHMARK(Muparser)->DenseRange(0, kFormulaCount - 1);
BENCHMARK(Native)->DenseRange(0, kFormulaCount - 1);
