// The numeric tree of a program: rebuilding it from the postfix program, the type of each node, and
// constant folding.
#include "expr/NumericTree.h"

#include "expr/FastOps.h"
#include "expr/Kernels.h"
#include "expr/Symbols.h"

namespace plotara {

namespace {

using Kind = NumericTree::Kind;
using Node = NumericTree::Node;
using Op = FastProgram::Op;
using fastops::Binary;
using fastops::BinaryOp;
using fastops::Unary;
using fastops::UnaryOp;
using kernels::kOk;

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

// Operations whose value depends on the angle mode are left for the run, whatever their operands.
bool DependsOnAngleMode(int code) {
  return code >= sym::Sin && code <= sym::Atan;
}

}  // namespace

bool NumericTree::IsLeaf(const Node& n) noexcept {
  return n.code == sym::Operand;
}

std::optional<NumericTree> NumericTree::Build(const CExpression& e) {
  NumericTree tree;
  std::vector<int> stack;  // indices of the nodes whose values the program has on its stack
  tree.nodes.reserve(e.program_.size());
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
        for (const ExprValue* g : tree.guards) known = known || g == &in.Var->Value;
        if (!known) tree.guards.push_back(&in.Var->Value);
      } else if (in.Operand.Type() == ExprType::Double) {
        n.k = in.Operand.DoubleValue();
      } else if (in.Operand.Type() == ExprType::Long) {
        n.k = in.Operand.LongValue();
        n.kind = Kind::Exact;
      } else {
        return std::nullopt;  // text
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
      return std::nullopt;  // RND, text, user functions
    }
    if (static_cast<int>(stack.size()) < arity) return std::nullopt;
    n.children = arity;
    for (int i = arity - 1; i >= 0; --i) {
      n.child[i] = stack.back();
      stack.pop_back();
    }
    tree.nodes.push_back(n);
    stack.push_back(static_cast<int>(tree.nodes.size()) - 1);
  }
  if (stack.size() != 1) return std::nullopt;

  for (Node& n : tree.nodes) {
    n.kind = tree.KindOf(n);
    tree.Fold(n);
    if (n.kind == Kind::Reject) return std::nullopt;
    tree.Simplify(n);
  }
  // The result's type must be known too: a double or a 16-bit integer.
  const Kind result = tree.nodes.back().kind;
  if (result != Kind::Double && result != Kind::Integer) return std::nullopt;
  tree.integerResult = result == Kind::Integer;
  return tree;
}

// ---------------------------------------------------------------------------------------------------
// Types

NumericTree::Kind NumericTree::KindOf(const Node& n) const {
  auto kid = [&](int i) { return nodes[n.child[i]].kind; };
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

// ---------------------------------------------------------------------------------------------------
// Folding

// A node whose operands are all constants becomes a constant, unless its operation fails (the run then
// fails there and the general interpreter reports it) or depends on the angle mode.
void NumericTree::Fold(Node& n) {
  if (IsLeaf(n) || DependsOnAngleMode(n.code)) return;
  for (int i = 0; i < n.children; ++i) {
    const Node& c = nodes[n.child[i]];
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
    v = nodes[n.child[0]].k > 0 ? nodes[n.child[1]].k : nodes[n.child[2]].k, ok = true;
  } else if (n.children == 1) {
    ok = UnaryAny(UnaryOp(n.code), nodes[n.child[0]].k, 1.0, v);
  } else if (n.children == 2) {
    ok = BinaryAny(BinaryOp(n.code), nodes[n.child[0]].k, nodes[n.child[1]].k, v);
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
void NumericTree::Simplify(Node& n) {
  if (n.code == sym::Pow && IsLeaf(nodes[n.child[1]]) && !nodes[n.child[1]].variable &&
      nodes[n.child[1]].k == 2) {
    n.code = kSquare;
    n.children = 1;
  }
}

}  // namespace plotara
