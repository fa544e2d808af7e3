// The numeric form of a program: building it (tree, result type, constant folding, operand folding) and
// running it.
//
//   Tree        the postfix program rebuilt as a tree of numeric nodes
//   Types       the type the general interpreter would give each node
//   Folding     constant parts computed once
//   Code        instructions with folded operands
//   Run         the interpreter loop
#include "expr/FastPath.h"

#include <cmath>

#include "expr/FastOps.h"
#include "expr/Kernels.h"
#include "expr/Symbols.h"

namespace plotara {

namespace {

using Op = FastProgram::Op;
using fastops::Binary;
using fastops::BinaryOp;
using fastops::Unary;
using fastops::UnaryOp;
using kernels::kOk;

// What the general interpreter's value of a node is known to be, without running it. The fast form
// computes every node as a double; it may do so only where that double has the same bits as the
// general interpreter's value (integers there never have a negative zero, for one).
enum class Kind : uint8_t {
  Double,   // always a double, computed by the same operation
  Integer,  // always a 16-bit integer (-1, 0, 1: comparisons, logic, SGN), never a negative zero
  Exact,    // an integer or a double depending on the values, but the double value is the same
  Reject    // may differ (integer arithmetic against double arithmetic): no fast form
};

struct Node {
  int16_t code = 0;       // symbol code; sym::Operand for leaves
  bool variable = false;  // a leaf reading a variable
  double k = 0;           // a constant leaf's value
  const double* p = nullptr;
  int child[3] = {-1, -1, -1};
  int children = 0;
  Kind kind = Kind::Double;
};

bool IsLeaf(const Node& n) {
  return n.code == sym::Operand;
}

// A fast operation chosen at run time, for folding; true when it succeeds.
bool UnaryAny(int op, double x, double f, double& out) noexcept {
  switch (op) {
#define PLOTARA_X(name) \
  case Op::name:        \
    return Unary<Op::name>(x, f, out) == kOk;
    PLOTARA_FAST_UNARY_OPS(PLOTARA_X)
#undef PLOTARA_X
    default:
      return false;
  }
}

bool BinaryAny(int op, double l, double r, double& out) noexcept {
  switch (op) {
#define PLOTARA_X(name) \
  case Op::name:        \
    return Binary<Op::name>(l, r, out) == kOk;
    PLOTARA_FAST_BINARY_OPS(PLOTARA_X)
#undef PLOTARA_X
    default:
      return false;
  }
}

// A node code of the fast form only: the square of its operand.
constexpr int16_t kSquare = -1;

// Operations whose value depends on the angle mode are left for the run, whatever their operands.
bool DependsOnAngleMode(int code) {
  return code >= sym::Sin && code <= sym::Atan;
}

class Builder {
 public:
  explicit Builder(std::vector<Node> nodes) : nodes_(std::move(nodes)) {}

  // ---- Types ----
  Kind KindOf(const Node& n) const {
    auto kid = [&](int i) { return nodes_[n.child[i]].kind; };
    for (int i = 0; i < n.children; ++i) {
      if (kid(i) == Kind::Reject) return Kind::Reject;
    }
    switch (n.code) {
      case sym::Operand:
        return n.kind;
      case sym::Pi:
      case sym::Deg:
      case sym::Rad:
        return Kind::Double;
      case sym::Negate:
        // An integer negated stays an integer (so 0 stays +0); an integer-or-double may not.
        return kid(0) == Kind::Exact ? Kind::Reject : kid(0);
      case sym::Abs:
      case sym::Int:
      case sym::Fix:
      case sym::Round:
        return kid(0);
      case sym::Add:
      case sym::Sub:
      case sym::Mul:
        // With a double operand the arithmetic is on doubles either way; between integers it is integer
        // arithmetic, whose zero has no sign.
        return kid(0) == Kind::Double || kid(1) == Kind::Double ? Kind::Double : Kind::Reject;
      case sym::IntDiv:
      case sym::Mod:
      case sym::Bar:
        return Kind::Exact;  // the kernels give +0, as an integer result has
      case sym::Not:
      case sym::Eq:
      case sym::Ne:
      case sym::Le:
      case sym::Lt:
      case sym::Ge:
      case sym::Gt:
      case sym::And:
      case sym::Or:
      case sym::Xor:
      case sym::Sgn:
        return Kind::Integer;
      case sym::Min:
      case sym::Max:
        return kid(0) == kid(1) ? kid(0) : Kind::Exact;  // one operand, unchanged
      case sym::Iif:
        return kid(1) == kid(2) ? kid(1) : Kind::Exact;
      default:
        return Kind::Double;  // the remaining functions, "/" and "^"
    }
  }

  // ---- Folding ----
  // A node whose operands are all constants becomes a constant, unless its operation fails (the run then
  // fails there and the general interpreter reports it) or depends on the angle mode.
  void Fold(Node& n) {
    if (IsLeaf(n) || DependsOnAngleMode(n.code)) return;
    for (int i = 0; i < n.children; ++i) {
      const Node& c = nodes_[n.child[i]];
      if (!IsLeaf(c) || c.variable) return;
    }
    double v = 0;
    bool ok = false;
    if (n.code == sym::Pi) {
      v = kernels::kPi15, ok = true;
    } else if (n.code == sym::Deg) {
      v = kernels::DegConstant(), ok = true;
    } else if (n.code == sym::Rad) {
      v = kernels::RadConstant(), ok = true;
    } else if (n.code == sym::Iif) {
      v = nodes_[n.child[0]].k > 0 ? nodes_[n.child[1]].k : nodes_[n.child[2]].k, ok = true;
    } else if (n.children == 1) {
      ok = UnaryAny(UnaryOp(n.code), nodes_[n.child[0]].k, 1.0, v);
    } else if (n.children == 2) {
      ok = BinaryAny(BinaryOp(n.code), nodes_[n.child[0]].k, nodes_[n.child[1]].k, v);
    }
    if (!ok) return;
    n.code = sym::Operand;
    // A constant that the general interpreter holds as an integer has the double value of that integer:
    // exact (integer arithmetic and the doubles' agree up to one rounding) and without negative zero.
    if (n.kind != Kind::Double) {
      v += 0.0;
      if (n.kind == Kind::Reject) n.kind = Kind::Exact;
    }
    n.k = v;
    n.children = 0;
  }

  // x^2 is a product: no call of pow, no test of the exponent.
  void Simplify(Node& n) {
    if (n.code == sym::Pow && IsLeaf(nodes_[n.child[1]]) && !nodes_[n.child[1]].variable &&
        nodes_[n.child[1]].k == 2) {
      n.code = kSquare;
      n.children = 1;
    }
  }

  // ---- Code ----
  void Emit(int op, double k = 0, const double* p = nullptr, const double* q = nullptr) {
    steps_.push_back({static_cast<Op>(op), k, p, q});
  }

  // Leaves the node's value in the accumulator, the previous accumulator pushed below it.
  void Generate(int index) {
    const Node& n = nodes_[index];
    if (IsLeaf(n)) {
      if (n.variable) return Emit(Op::PushV, 0, n.p);
      return Emit(Op::PushK, n.k);
    }
    if (n.code == sym::Iif) {
      for (int i = 0; i < 3; ++i) Generate(n.child[i]);
      return Emit(Op::Iif);
    }
    if (n.children == 1) {
      int op = n.code == kSquare ? Op::Square : UnaryOp(n.code);
      if (op == Op::Negate && n.kind == Kind::Integer) op = Op::NegateInteger;
      const Node& x = nodes_[n.child[0]];
      if (IsLeaf(x) && x.variable) return Emit(op + FastProgram::kOnVar, 0, x.p);
      Generate(n.child[0]);
      return Emit(op + FastProgram::kOnAcc);
    }
    const int op = BinaryOp(n.code);
    const Node& l = nodes_[n.child[0]];
    const Node& r = nodes_[n.child[1]];
    if (IsLeaf(l) && IsLeaf(r) && (l.variable || r.variable)) {
      if (!r.variable) return Emit(op + FastProgram::kVarConst, r.k, l.p);
      if (!l.variable) return Emit(op + FastProgram::kConstVar, l.k, r.p);
      return Emit(op + FastProgram::kVarVar, 0, l.p, r.p);
    }
    if (IsLeaf(r)) {
      Generate(n.child[0]);
      if (r.variable) return Emit(op + FastProgram::kRightVar, 0, r.p);
      return Emit(op + FastProgram::kRightConst, r.k);
    }
    if (IsLeaf(l)) {
      Generate(n.child[1]);
      if (l.variable) return Emit(op + FastProgram::kLeftVar, 0, l.p);
      return Emit(op + FastProgram::kLeftConst, l.k);
    }
    Generate(n.child[0]);
    Generate(n.child[1]);
    Emit(op + FastProgram::kStack);
  }

  std::vector<Node> nodes_;
  std::vector<FastProgram::Step> steps_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------------
// Tree

std::unique_ptr<FastProgram> FastProgram::Build(const CExpression& e) {
  std::vector<Node> nodes;
  std::vector<int> stack;  // indices of the nodes whose values the program has on its stack
  std::vector<const ExprValue*> guards;
  nodes.reserve(e.program_.size());
  for (const CExpression::Instruction& in : e.program_) {
    Node n;
    n.code = in.Code;
    int arity = 0;
    if (in.Code == sym::Operand) {
      if (in.Var) {
        n.variable = true;
        n.p = in.Var->Value.DoubleSlot();
        n.kind = Kind::Double;  // guarded: the run gives up unless the variable holds a double
        bool known = false;
        for (const ExprValue* g : guards) known = known || g == &in.Var->Value;
        if (!known) guards.push_back(&in.Var->Value);
      } else if (in.Operand.Type() == ExprType::Double) {
        n.k = in.Operand.DoubleValue();
      } else if (in.Operand.Type() == ExprType::Long) {
        n.k = in.Operand.LongValue();
        n.kind = Kind::Exact;
      } else {
        return nullptr;  // text
      }
    } else if (in.Code >= sym::Pi && in.Code <= sym::Rad) {
      arity = 0;
    } else if (in.Code == sym::Iif) {
      arity = 3;
    } else if (BinaryOp(in.Code)) {
      arity = 2;
    } else if (UnaryOp(in.Code) >= 0) {
      arity = 1;
    } else {
      return nullptr;  // RND, text, user functions
    }
    if (static_cast<int>(stack.size()) < arity) return nullptr;
    n.children = arity;
    for (int i = arity - 1; i >= 0; --i) {
      n.child[i] = stack.back();
      stack.pop_back();
    }
    nodes.push_back(n);
    stack.push_back(static_cast<int>(nodes.size()) - 1);
  }
  if (stack.size() != 1) return nullptr;

  Builder b(std::move(nodes));
  for (Node& n : b.nodes_) {
    n.kind = b.KindOf(n);
    b.Fold(n);
    if (n.kind == Kind::Reject) return nullptr;
    b.Simplify(n);
  }
  // The result's type must be known too: a double or a 16-bit integer.
  const Kind result = b.nodes_.back().kind;
  if (result != Kind::Double && result != Kind::Integer) return nullptr;
  b.Generate(static_cast<int>(b.nodes_.size()) - 1);

  auto program = std::make_unique<FastProgram>();
  program->steps_ = std::move(b.steps_);
  program->guards_ = std::move(guards);
  program->integerResult_ = result == Kind::Integer;
  return program;
}

// ---------------------------------------------------------------------------------------------------
// Run

bool FastProgram::Run(double f, double& result) const noexcept {
  for (const ExprValue* g : guards_) {
    if (g->Type() != ExprType::Double) return false;
  }
  // A program has at most kMaxInstructions operands, so the stack cannot overflow.
  double st[CExpression::kMaxInstructions + 1];
  size_t sp = 0;
  double acc = 0;
  for (const Step& s : steps_) {
    switch (s.op) {
      case PushK:
        st[sp++] = acc;
        acc = s.k;
        break;
      case PushV:
        st[sp++] = acc;
        acc = *s.p;
        break;
#define PLOTARA_X(name)                                     \
  case name: {                                              \
    const double l = st[--sp], r = acc;                     \
    if (Binary<name>(l, r, acc) != kOk) return false;       \
    break;                                                  \
  }                                                         \
  case name##K:                                             \
    if (Binary<name>(acc, s.k, acc) != kOk) return false;   \
    break;                                                  \
  case name##V:                                             \
    if (Binary<name>(acc, *s.p, acc) != kOk) return false;  \
    break;                                                  \
  case name##KL:                                            \
    if (Binary<name>(s.k, acc, acc) != kOk) return false;   \
    break;                                                  \
  case name##VL:                                            \
    if (Binary<name>(*s.p, acc, acc) != kOk) return false;  \
    break;                                                  \
  case name##VK:                                            \
    st[sp++] = acc;                                         \
    if (Binary<name>(*s.p, s.k, acc) != kOk) return false;  \
    break;                                                  \
  case name##KV:                                            \
    st[sp++] = acc;                                         \
    if (Binary<name>(s.k, *s.p, acc) != kOk) return false;  \
    break;                                                  \
  case name##VV:                                            \
    st[sp++] = acc;                                         \
    if (Binary<name>(*s.p, *s.q, acc) != kOk) return false; \
    break;
        PLOTARA_FAST_BINARY_OPS(PLOTARA_X)
#undef PLOTARA_X
#define PLOTARA_X(name)                                 \
  case name:                                            \
    if (Unary<name>(acc, f, acc) != kOk) return false;  \
    break;                                              \
  case name##OnVar:                                     \
    st[sp++] = acc;                                     \
    if (Unary<name>(*s.p, f, acc) != kOk) return false; \
    break;
        PLOTARA_FAST_UNARY_OPS(PLOTARA_X)
#undef PLOTARA_X
      case Iif:
        sp -= 2;
        acc = st[sp] > 0 ? st[sp + 1] : acc;
        break;
    }
  }
  result = acc;
  return true;
}

}  // namespace plotara
