// The expression evaluator against muparser and native C++ on curve-like formulas, evaluated the way the
// control plots a function: set the variable "x", ask for the value, once per point.
//
// Each formula runs three ways in the same program: plotara/i (CExpression: Variable("x") then Value),
// muparser/i (a bound double, then Eval) and native/i (the formula compiled as C++). After the runs a
// table gives, per formula, the time per point of each and the ratio plotara / muparser, and the
// median of those ratios.
#include <benchmark/benchmark.h>
#include <muParser.h>

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

void Plotara(benchmark::State& state, int i) {
  const Formula& f = kFormulas[i];
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
}

void Muparser(benchmark::State& state, int i) {
  const Formula& f = kFormulas[i];
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
}

// The formula known at compile time, so that it is inlined as hand-written code would be.
template <int I>
void Native(benchmark::State& state) {
  constexpr auto f = kFormulas[I].native;
  const std::vector<double> xs = Xs();
  for (auto _ : state) {
    double sum = 0;
    for (double x : xs) sum += f(x);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}

template <int... I>
void RegisterNative(std::integer_sequence<int, I...>) {
  (benchmark::RegisterBenchmark(("native/" + std::to_string(I)).c_str(), Native<I>), ...);
}

// Prints as usual and keeps each benchmark's CPU time per iteration (the median when repeated).
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
      times_[r.run_name.str()] = r.GetAdjustedCPUTime();
    }
  }

  void PrintRatios() const {
    std::vector<double> ratios;
    std::printf("\n%-34s %10s %10s %10s %16s\n", "formula (ns per point)", "plotara", "muparser", "native",
                "plotara/muparser");
    for (int i = 0; i < kFormulaCount; ++i) {
      const std::string n = std::to_string(i);
      const auto p = times_.find("plotara/" + n), m = times_.find("muparser/" + n),
                 c = times_.find("native/" + n);
      if (p == times_.end() || m == times_.end()) continue;
      const double nativeTime = c == times_.end() ? NAN : c->second / kPoints;
      ratios.push_back(p->second / m->second);
      std::printf("%-34s %10.2f %10.2f %10.2f %16.2f\n", kFormulas[i].plotara, p->second / kPoints,
                  m->second / kPoints, nativeTime, ratios.back());
    }
    if (ratios.empty()) return;
    std::sort(ratios.begin(), ratios.end());
    const size_t n = ratios.size();
    const double median = n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2;
    std::printf("median ratio plotara/muparser: %.2f\n", median);
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  for (int i = 0; i < kFormulaCount; ++i) {
    benchmark::RegisterBenchmark(("plotara/" + std::to_string(i)).c_str(), Plotara, i);
    benchmark::RegisterBenchmark(("muparser/" + std::to_string(i)).c_str(), Muparser, i);
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
