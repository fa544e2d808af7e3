// The numeric form of a program over arrays of values.
//
//   Loops       one instruction over a block of values, for each operation and operand form
//   Building    the tree to instructions: parts computed once, equal parts shared, calls paired,
//               registers
//   Run         blocks of values through the instructions
#include "expr/BlockProgram.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <tuple>

#include "expr/FastOps.h"
#include "expr/NumericTree.h"
#include "expr/Symbols.h"

namespace plotara {

namespace {

using Op = FastProgram::Op;
using Ref = BlockProgram::Ref;
using Loop = BlockProgram::Loop;
using Node = NumericTree::Node;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---------------------------------------------------------------------------------------------------
// Loops

// The operations whose kernels never fail. A kernel that can fail gives a finite result when it
// succeeds and, when it fails, leaves its result alone (NaN here, set before the call) or not finite:
// so the result times 0 is NaN exactly where it failed, and adding that to the value's check marks it.
constexpr bool CanFail(int op) {
  switch (op) {
    case Op::Eq:
    case Op::Ne:
    case Op::Le:
    case Op::Lt:
    case Op::Ge:
    case Op::Gt:
    case Op::And:
    case Op::Or:
    case Op::Xor:
    case Op::Min:
    case Op::Max:
    case Op::Negate:
    case Op::NegateInteger:
    case Op::Not:
    case Op::Abs:
    case Op::Int:
    case Op::Fix:
    case Op::Sgn:
    case Op::Round:
      return false;
    default:
      return true;
  }
}

constexpr int kSinCos = -2;    // the operation of an instruction that computes SIN and COS together
constexpr int kCallPair = -3;  // two library functions of different operands in one loop

// The operations that call the C library: two of them in one loop run side by side in the processor,
// where two loops one after the other would each wait for their calls' results.
#define PLOTARA_CALL_OPS(X) X(Exp) X(Sin) X(Cos) X(Tan) X(Atn) X(Log) X(Ln)
bool IsCall(int op) {
  switch (op) {
#define PLOTARA_X(name) case Op::name:
    PLOTARA_CALL_OPS(PLOTARA_X)
#undef PLOTARA_X
    return true;
    default:
      return false;
  }
}

// Operations whose result is not finite wherever the operand at pos is not finite, whatever the other
// operands: a failure below them (a result not finite) shows in their result, so that it is enough to
// check theirs. EXP (of -inf is 0), ATN, TANH, the comparisons and choices are not among them.
bool Propagates(int op, int pos) {
  switch (op) {
    case Op::Add:
    case Op::Sub:
    case Op::Mul:
    case Op::Negate:
    case Op::Abs:
    case Op::Int:
    case Op::Fix:
    case Op::Round:
    case Op::Square:
    case Op::Sqr:
    case Op::Log:
    case Op::Ln:
    case Op::Sin:
    case Op::Cos:
    case Op::Tan:
    case Op::Sinh:
    case Op::Cosh:
    case Op::Asinh:
    case kSinCos:
      return true;
    case Op::Div:
      return pos == 0;  // x / inf is 0
    default:
      return false;
  }
}

// A "once" operand is one value (a slot) for the whole block. kCheck: the instruction marks where it
// fails; without, a later one that propagates its result does.
template <int kOp, bool kLeftOnce, bool kRightOnce, bool kCheck>
void BinaryLoop(const double* a, const double* b, const double*, double* __restrict out, double*,
                double* __restrict check, int m, double) noexcept {
  for (int i = 0; i < m; ++i) {
    const double l = a[kLeftOnce ? 0 : i], r = b[kRightOnce ? 0 : i];
    double v = kNaN;
    if constexpr (kOp == Op::Div) {
      // The kernel fails for r = 0 before dividing; l / 0 is not finite either, so dividing always
      // fails at the same values, and the loop has no branch.
      v = l / r;
    } else {
      fastops::Binary<kOp>(l, r, v);
    }
    out[i] = v;
    if constexpr (kCheck) check[i] += v * 0.0;
  }
}

template <int kOp, bool kCheck>
void UnaryLoop(const double* a, const double*, const double*, double* __restrict out, double*,
               double* __restrict check, int m, double f) noexcept {
  for (int i = 0; i < m; ++i) {
    double v = kNaN;
    fastops::Unary<kOp>(a[i], f, v);
    out[i] = v;
    if constexpr (kCheck) check[i] += v * 0.0;
  }
}

template <bool kOnceA, bool kOnceB, bool kOnceC>
void IifLoop(const double* a, const double* b, const double* c, double* out, double*, double*, int m,
             double) noexcept {
  for (int i = 0; i < m; ++i) out[i] = a[kOnceA ? 0 : i] > 0 ? b[kOnceB ? 0 : i] : c[kOnceC ? 0 : i];
}

// SIN to out and COS to out2 of one operand. glibc's sincos gives each the bits sin and cos give (the
// compiler itself merges such pairs on that ground); the tests hold it to that.
void SinCosLoop(const double* a, const double*, const double*, double* out, double* out2, double* check,
                int m, double f) noexcept {
  for (int i = 0; i < m; ++i) {
    double s, c;
    ::sincos(f * a[i], &s, &c);
    out[i] = s;
    out2[i] = c;
    check[i] += s * 0.0 + c * 0.0;
  }
}

// The first function of a to out, the second of b to out2; both can fail, both are checked.
template <int kFirst, int kSecond>
void CallPairLoop(const double* a, const double* b, const double*, double* __restrict out,
                  double* __restrict out2, double* __restrict check, int m, double f) noexcept {
  for (int i = 0; i < m; ++i) {
    double u = kNaN, v = kNaN;
    fastops::Unary<kFirst>(a[i], f, u);
    fastops::Unary<kSecond>(b[i], f, v);
    out[i] = u;
    out2[i] = v;
    check[i] += u * 0.0 + v * 0.0;
  }
}

template <int kFirst>
Loop CallPairLoopFor(int second) {
  switch (second) {
#define PLOTARA_X(name) \
  case Op::name:        \
    return CallPairLoop<kFirst, Op::name>;
    PLOTARA_CALL_OPS(PLOTARA_X)
#undef PLOTARA_X
    default:
      return nullptr;
  }
}

Loop CallPairLoopFor(int first, int second) {
  switch (first) {
#define PLOTARA_X(name) \
  case Op::name:        \
    return CallPairLoopFor<Op::name>(second);
    PLOTARA_CALL_OPS(PLOTARA_X)
#undef PLOTARA_X
    default:
      return nullptr;
  }
}

template <int kOp, bool kCheck>
Loop BinaryLoopFor(bool leftOnce, bool rightOnce) {
  if (leftOnce) return BinaryLoop<kOp, true, false, kCheck>;
  if (rightOnce) return BinaryLoop<kOp, false, true, kCheck>;
  return BinaryLoop<kOp, false, false, kCheck>;
}

// The loop of an operation; check only where it can fail.
Loop LoopFor(int op, int arity, const bool once[3], bool check) {
  if (op == kSinCos) return SinCosLoop;
  if (op == Op::Iif) {
    static constexpr Loop kIif[8] = {IifLoop<false, false, false>, IifLoop<false, false, true>,
                                     IifLoop<false, true, false>,  IifLoop<false, true, true>,
                                     IifLoop<true, false, false>,  IifLoop<true, false, true>,
                                     IifLoop<true, true, false>,   IifLoop<true, true, true>};
    return kIif[once[0] * 4 + once[1] * 2 + once[2]];
  }
  if (arity == 2) {
    switch (op) {
#define PLOTARA_X(name)                                                                 \
  case Op::name:                                                                        \
    return check && CanFail(Op::name) ? BinaryLoopFor<Op::name, true>(once[0], once[1]) \
                                      : BinaryLoopFor<Op::name, false>(once[0], once[1]);
      PLOTARA_FAST_BINARY_OPS(PLOTARA_X)
#undef PLOTARA_X
    }
  }
  switch (op) {
#define PLOTARA_X(name) \
  case Op::name:        \
    return check && CanFail(Op::name) ? UnaryLoop<Op::name, true> : UnaryLoop<Op::name, false>;
    PLOTARA_FAST_UNARY_OPS(PLOTARA_X)
#undef PLOTARA_X
  }
  return nullptr;
}

// The operation of a node of the tree, as the one-value form chooses it.
int OperationOf(const Node& n) {
  if (n.code == sym::Iif) return Op::Iif;
  if (n.code == NumericTree::kSquare) return Op::Square;
  if (n.children == 2) return fastops::BinaryOp(n.code);
  const int op = fastops::UnaryOp(n.code);
  return op == Op::Negate && n.kind == NumericTree::Kind::Integer ? Op::NegateInteger : op;
}

int Key(Ref r) {
  return r.where << 16 | r.index;
}

}  // namespace

// ---------------------------------------------------------------------------------------------------
// Building

class BlockBuilder {
 public:
  BlockBuilder(const NumericTree& tree, const double* x, BlockProgram& p) : tree_(tree), x_(x), p_(p) {}

  // The value of a node: the input, a slot (known once per run) or a register (per block). While
  // building, a register's index numbers the value; Allocate gives the values registers.
  Ref Value(int index) {
    const Node& n = tree_.nodes[index];
    if (NumericTree::IsLeaf(n)) {
      if (n.variable && n.p == x_) return {Ref::Input, 0};
      if (n.variable) return Slot(reads_, n.p, [&](uint16_t slot) { p_.reads_.push_back({slot, n.p}); });
      return Constant(n.k);
    }
    Operation o{OperationOf(n), n.children};
    Ref in[3];
    bool allOnce = true;
    for (int i = 0; i < n.children; ++i) {
      in[i] = Value(n.child[i]);
      o.once[i] = in[i].where == Ref::Slot;
      allOnce = allOnce && o.once[i];
    }
    // Dividing by a power of two is multiplying by its inverse: both round the same exact quotient.
    if (o.op == Op::Div && o.once[1] && IsPowerOfTwo(in[1])) {
      o.op = Op::Mul;
      in[1] = Constant(1 / p_.slots_[in[1].index]);
    }
    const auto key = std::make_tuple(o.op, Key(in[0]), Key(in[1]), Key(in[2]));
    if (const auto same = shared_.find(key); same != shared_.end()) return same->second;
    BlockProgram::Instruction ins{nullptr, in[0], in[1], in[2], {}, {}};
    if (allOnce) {
      // Run once on single values, each checked: every operand is read at its first place.
      static constexpr bool kNone[3] = {false, false, false};
      ins.loop = LoopFor(o.op, o.arity, kNone, true);
      if (!ins.loop) failed_ = true;
      ins.out = NewSlot();
      p_.once_.push_back(ins);
    } else {
      ins.out = {Ref::Register, values_++};
      p_.body_.push_back(ins);
      operations_.push_back(o);
    }
    return shared_[key] = ins.out;
  }

  // SIN and COS of the same operand become one instruction, in the place of the first.
  void PairSinCos() {
    for (size_t i = 0; i < p_.body_.size(); ++i) {
      const int op = operations_[i].op;
      if (op != Op::Sin && op != Op::Cos) continue;
      const int other = op == Op::Sin ? Op::Cos : Op::Sin;
      for (size_t j = i + 1; j < p_.body_.size(); ++j) {
        if (operations_[j].op != other || Key(p_.body_[j].a) != Key(p_.body_[i].a)) continue;
        BlockProgram::Instruction& first = p_.body_[i];
        const Ref second = p_.body_[j].out;
        first.out2 = op == Op::Sin ? second : first.out;
        if (op == Op::Cos) first.out = second;
        operations_[i].op = kSinCos;
        p_.body_.erase(p_.body_.begin() + static_cast<long>(j));
        operations_.erase(operations_.begin() + static_cast<long>(j));
        break;
      }
    }
  }

  // Two calls of the C library that do not wait for each other become one instruction, in the place of
  // the second: the first moves down to it, past instructions that do not read its result.
  void PairCalls() {
    for (size_t j = 0; j < p_.body_.size(); ++j) {
      if (!IsCall(operations_[j].op)) continue;
      for (size_t i = 0; i < j; ++i) {
        if (!IsCall(operations_[i].op)) continue;
        const int first = Key(p_.body_[i].out);
        bool independent = true;
        for (size_t k = i + 1; k <= j; ++k) {
          for (const Ref* r : Operands(p_.body_[k])) independent = independent && Key(*r) != first;
        }
        if (!independent) continue;
        BlockProgram::Instruction& second = p_.body_[j];
        second.b = second.a;
        second.a = p_.body_[i].a;
        second.out2 = second.out;
        second.out = p_.body_[i].out;
        operations_[j].pair[0] = operations_[i].op;
        operations_[j].pair[1] = operations_[j].op;
        operations_[j].op = kCallPair;
        p_.body_.erase(p_.body_.begin() + static_cast<long>(i));
        operations_.erase(operations_.begin() + static_cast<long>(i));
        --j;
        break;
      }
    }
  }

  // Each instruction's loop, with a check of its failures unless every instruction that reads its
  // result propagates a failure and is itself checked or so covered. The result's own instruction is
  // always checked; SIN and COS together always.
  void ChooseLoops() {
    const size_t count = p_.body_.size();
    std::vector<std::vector<std::pair<size_t, int>>> readers(values_);  // instruction, operand position
    for (size_t i = 0; i < count; ++i) {
      const std::array<Ref*, 3> in = Operands(p_.body_[i]);
      for (int pos = 0; pos < 3; ++pos) {
        if (in[pos]->where == Ref::Register) readers[in[pos]->index].push_back({i, pos});
      }
    }
    std::vector<bool> covered(count);  // a failure at the instruction's result is marked
    for (size_t i = count; i-- > 0;) {
      BlockProgram::Instruction& in = p_.body_[i];
      const Operation& o = operations_[i];
      const uint16_t value = in.out.index;
      bool deferred = !(p_.result_.where == Ref::Register && p_.result_.index == value) && o.op != kSinCos &&
                      o.op != kCallPair;
      for (const auto& [reader, pos] : readers[value]) {
        const Operation& r = operations_[reader];
        const bool propagates = r.op == kCallPair ? Propagates(r.pair[pos], 0) : Propagates(r.op, pos);
        deferred = deferred && propagates && covered[reader];
      }
      const bool check = o.op == kSinCos || o.op == kCallPair || (CanFail(o.op) && !deferred);
      in.loop =
          o.op == kCallPair ? CallPairLoopFor(o.pair[0], o.pair[1]) : LoopFor(o.op, o.arity, o.once, check);
      if (!in.loop) failed_ = true;
      covered[i] = check || deferred;
    }
  }

  // Registers for the values: each taken at the instruction that computes it and given back after the
  // last one that reads it, so that a formula needs about as many as its deepest nesting. A result never
  // shares a register with an operand of its own instruction, so that the loops may take them as
  // distinct arrays (and vectorise without checking).
  void Allocate() {
    std::vector<size_t> lastRead(values_, p_.body_.size());  // the result is read after the last
    for (size_t i = 0; i < p_.body_.size(); ++i) {
      for (const Ref* r : Operands(p_.body_[i])) {
        if (r->where == Ref::Register) lastRead[r->index] = i;
      }
    }
    if (p_.result_.where == Ref::Register) lastRead[p_.result_.index] = p_.body_.size();
    std::vector<uint16_t> registerOf(values_), free;
    uint16_t count = 0;
    for (size_t i = 0; i < p_.body_.size(); ++i) {
      BlockProgram::Instruction& in = p_.body_[i];
      for (Ref* r : Operands(in)) {
        if (r->where == Ref::Register) r->index = registerOf[r->index];
      }
      for (Ref* r : {&in.out, &in.out2}) {
        if (r->where != Ref::Register) continue;
        uint16_t reg = count;
        if (free.empty()) {
          ++count;
        } else {
          reg = free.back();
          free.pop_back();
        }
        registerOf[r->index] = reg;
        r->index = reg;
      }
      for (uint16_t value = 0; value < values_; ++value) {
        if (lastRead[value] == i) free.push_back(registerOf[value]);
      }
    }
    if (p_.result_.where == Ref::Register) p_.result_.index = registerOf[p_.result_.index];
    p_.registers_.assign(static_cast<size_t>(count) * BlockProgram::kBlock, 0.0);
  }

  bool Failed() const noexcept { return failed_; }

 private:
  struct Operation {
    int op = 0;
    int arity = 0;
    bool once[3] = {false, false, false};
    int pair[2] = {0, 0};  // the functions of a kCallPair
  };

  template <class K, class Fill>
  Ref Slot(std::map<K, uint16_t>& known, K key, Fill fill) {
    if (const auto k = known.find(key); k != known.end()) return {Ref::Slot, k->second};
    const Ref r = NewSlot();
    fill(r.index);
    known[key] = r.index;
    return r;
  }
  Ref Constant(double k) {
    uint64_t bits;
    std::memcpy(&bits, &k, sizeof bits);
    return Slot(constants_, bits, [&](uint16_t slot) { p_.slots_[slot] = k; });
  }
  Ref NewSlot() {
    p_.slots_.push_back(0);
    return {Ref::Slot, static_cast<uint16_t>(p_.slots_.size() - 1)};
  }
  // A constant 2^k whose inverse is a normal number too.
  bool IsPowerOfTwo(Ref r) const {
    const bool constant =
        std::any_of(constants_.begin(), constants_.end(), [&](const auto& c) { return c.second == r.index; });
    if (!constant) return false;
    const double v = p_.slots_[r.index];
    int exponent;
    return std::isnormal(v) && std::isnormal(1 / v) && std::frexp(std::fabs(v), &exponent) == 0.5;
  }
  static std::array<Ref*, 3> Operands(BlockProgram::Instruction& in) { return {&in.a, &in.b, &in.c}; }

  const NumericTree& tree_;
  const double* x_;
  BlockProgram& p_;
  std::map<uint64_t, uint16_t> constants_;
  std::map<const double*, uint16_t> reads_;
  std::map<std::tuple<int, int, int, int>, Ref> shared_;
  std::vector<Operation> operations_;  // of each body instruction
  uint16_t values_ = 0;
  bool failed_ = false;
};

std::unique_ptr<BlockProgram> BlockProgram::Build(const CExpression& e, const double* x) {
  const std::optional<NumericTree> tree = NumericTree::Build(e);
  if (!tree) return nullptr;
  auto p = std::make_unique<BlockProgram>();
  p->x_ = x;
  p->integerResult_ = tree->integerResult;
  for (const ExprValue* g : tree->guards) {
    if (g->DoubleSlot() != x) p->guards_.push_back(g);
  }
  BlockBuilder b(*tree, x, *p);
  p->result_ = b.Value(tree->Root());
  b.PairSinCos();
  b.PairCalls();
  b.ChooseLoops();
  if (b.Failed()) return nullptr;
  b.Allocate();
  p->check_.assign(kBlock, 0.0);
  return p;
}

// ---------------------------------------------------------------------------------------------------
// Run

double* BlockProgram::Address(Ref r, const double* input) noexcept {
  switch (r.where) {
    case Ref::Input:
      return const_cast<double*>(input);  // only ever read: results go to registers and slots
    case Ref::Register:
      return registers_.data() + static_cast<size_t>(r.index) * kBlock;
    default:
      return slots_.data() + r.index;
  }
}

void BlockProgram::Run(double f, std::span<const double> xs, std::span<double> ys) noexcept {
  const size_t n = xs.size();
  bool ok = true;
  for (const ExprValue* g : guards_) ok = ok && g->Type() == ExprType::Double;
  for (const auto& [slot, p] : reads_) slots_[slot] = *p;
  double onceCheck = 0;
  for (const Instruction& in : once_) {
    in.loop(Address(in.a, nullptr), Address(in.b, nullptr), Address(in.c, nullptr), Address(in.out, nullptr),
            nullptr, &onceCheck, 1, f);
  }
  if (!ok || std::isnan(onceCheck)) {
    std::fill_n(ys.begin(), n, kNaN);
    return;
  }
  for (size_t start = 0; start < n; start += kBlock) {
    const int m = static_cast<int>(std::min<size_t>(kBlock, n - start));
    const double* input = xs.data() + start;
    std::fill_n(check_.begin(), m, 0.0);
    for (const Instruction& in : body_) {
      in.loop(Address(in.a, input), Address(in.b, input), Address(in.c, input), Address(in.out, input),
              Address(in.out2, input), check_.data(), m, f);
    }
    const double* r = Address(result_, input);
    double* y = ys.data() + start;
    // check is +0 or NaN: subtracting it keeps every value, -0 included, and makes the failed ones NaN.
    // Value gives an integer result as a 16-bit integer, whose zero is +0.
    const size_t step = result_.where == Ref::Slot ? 0 : 1;
    if (integerResult_) {
      for (int i = 0; i < m; ++i) y[i] = (r[i * step] + 0.0) - check_[i];
    } else {
      for (int i = 0; i < m; ++i) y[i] = r[i * step] - check_[i];
    }
  }
}

}  // namespace plotara
