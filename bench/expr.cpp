// The expression evaluator against muparser and native C++ on curve-like formulas: the y values of 1000
// points of a curve, written to an array.
//
// Each formula runs five ways in the same program, all on one thread and timed in process CPU time:
//   plotara/i        as the control draws a function curve: Values for all the x, Value where it gives NaN
//   plotara-each/i   Variable("x") then Value, point by point
//   muparser/i       a bound double, then Eval, point by point
//   muparser-bulk/i  muparser's bulk mode: x bound to the array, one Eval for all (OpenMP held to one
//                    thread)
//   native/i         the formula compiled as C++
// After the runs a table gives, per formula, the time per point of each, the ratio of plotara to the
// faster of muparser's two modes, and that of plotara-each to muparser's Eval; then the median and the
// largest of the first ratios.
#include <benchmark/benchmark.h>
#include <muParser.h>
#include <omp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "expr/CExpression.h"

namespace {

struct Formula {
  const char* plotara;
  const char* muparser;
  double (*native)(double);
};

constexpr Formula kFormulas[] = {
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

// Every way fills an array with the y values, as a curve needs them.
void Keep(std::vector<double>& ys) {
  benchmark::DoNotOptimize(ys.data());
  benchmark::ClobberMemory();
}

// As the control draws a curve: all the x values in one call, Value only where that gives NaN.
void Plotara(benchmark::State& state, int i) {
  const Formula& f = kFormulas[i];
  const std::vector<double> xs = Xs();
  std::vector<double> ys(kPoints);
  plotara::CExpression e;
  e.ResetVariables();
  e.Expression(f.plotara);
  if (e.ErrorCode() != 0) state.SkipWithError(e.ErrorDescription().c_str());
  plotara::CVariable& x = *e.Variable("x", true, 0);
  for (auto _ : state) {
    e.Values(x, xs, ys);
    for (int k = 0; k < kPoints; ++k) {
      if (std::isnan(ys[k])) [[unlikely]] {
        x.Value = xs[k];
        ys[k] = e.Value().Number();
      }
    }
    Keep(ys);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

// One point at a time: set the variable, ask for the value.
void PlotaraEach(benchmark::State& state, int i) {
  const Formula& f = kFormulas[i];
  const std::vector<double> xs = Xs();
  plotara::CExpression e;
  e.ResetVariables();
  e.Expression(f.plotara);
  if (e.ErrorCode() != 0) state.SkipWithError(e.ErrorDescription().c_str());
  e.Variable("x", true, 0);
  std::vector<double> ys(kPoints);
  for (auto _ : state) {
    for (int k = 0; k < kPoints; ++k) {
      e.Variable("x", false, xs[k]);
      ys[k] = e.Value().DoubleValue();
    }
    Keep(ys);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

// muparser's bulk mode: x bound to the array, one Eval for all the points, on one thread.
void MuparserBulk(benchmark::State& state, int i) {
  const Formula& f = kFormulas[i];
  std::vector<double> xs = Xs(), ys(kPoints);
  mu::Parser p;
  p.DefineVar("x", xs.data());
  p.SetExpr(f.muparser);
  p.Eval();  // parses
  for (auto _ : state) {
    p.Eval(ys.data(), kPoints);
    Keep(ys);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

void Muparser(benchmark::State& state, int i) {
  const Formula& f = kFormulas[i];
  const std::vector<double> xs = Xs();
  double x = 0;
  mu::Parser p;
  p.DefineVar("x", &x);
  p.SetExpr(f.muparser);
  p.Eval();  // parses
  std::vector<double> ys(kPoints);
  for (auto _ : state) {
    for (int k = 0; k < kPoints; ++k) {
      x = xs[k];
      ys[k] = p.Eval();
    }
    Keep(ys);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

// The formula known at compile time, so that it is inlined as hand-written code would be.
template <int I>
void Native(benchmark::State& state) {
  constexpr auto f = kFormulas[I].native;
  const std::vector<double> xs = Xs();
  std::vector<double> ys(kPoints);
  for (auto _ : state) {
    for (int k = 0; k < kPoints; ++k) ys[k] = f(xs[k]);
    Keep(ys);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

template <int... I>
void RegisterNative(std::integer_sequence<int, I...>) {
  (benchmark::RegisterBenchmark(("native/" + std::to_string(I)).c_str(), Native<I>)->MeasureProcessCPUTime(),
   ...);
}

// Prints as usual and keeps each benchmark's CPU time per iteration (the median when repeated).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
      times_[r.run_name.function_name] = r.GetAdjustedCPUTime();
    }
  }

  // Per formula, in nanoseconds per point, and the ratio to muparser's faster mode.
  void PrintRatios() const {
    std::vector<double> ratios;
    std::printf("\n%-32s %8s %8s %8s %8s %8s %10s %10s\n", "formula (ns per point)", "plotara", "each",
                "muparser", "mu-bulk", "native", "/muparser", "each/mu");
    for (int i = 0; i < kFormulaCount; ++i) {
      const std::string n = std::to_string(i);
      const double p = Time("plotara/" + n), each = Time("plotara-each/" + n), m = Time("muparser/" + n),
                   bulk = Time("muparser-bulk/" + n), native = Time("native/" + n);
      const double best = std::fmin(m, bulk);
      if (!std::isnan(p / best)) ratios.push_back(p / best);
      std::printf("%-32s %8.2f %8.2f %8.2f %8.2f %8.2f %10.2f %10.2f\n", kFormulas[i].plotara, p, each, m,
                  bulk, native, p / best, each / m);
    }
    if (ratios.empty()) return;
    std::sort(ratios.begin(), ratios.end());
    const size_t n = ratios.size();
    const double median = n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2;
    std::printf("median ratio plotara/muparser: %.2f (largest %.2f)\n", median, ratios.back());
  }

 private:
  double Time(const std::string& name) const {
    const auto t = times_.find(name);
    return t == times_.end() ? NAN : t->second / kPoints;
  }
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  omp_set_num_threads(1);
  for (int i = 0; i < kFormulaCount; ++i) {
    const std::string n = std::to_string(i);
    benchmark::RegisterBenchmark(("plotara/" + n).c_str(), Plotara, i)->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark(("plotara-each/" + n).c_str(), PlotaraEach, i)->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark(("muparser/" + n).c_str(), Muparser, i)->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark(("muparser-bulk/" + n).c_str(), MuparserBulk, i)->MeasureProcessCPUTime();
  }
  RegisterNative(std::make_integer_sequence<int, kFormulaCount>());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
