// The one-value numeric form of a program: instructions with folded operands, generated from the
// program's numeric tree, and the interpreter loop that runs them.
//
//   Code        instructions with folded operands
//   Run         the interpreter loop
#include "expr/FastPath.h"

#include <cmath>

#include "expr/FastOps.h"
#include "expr/Kernels.h"
#include "expr/NumericTree.h"
#include "expr/Symbols.h"

namespace plotara {

namespace {

using Op = FastProgram::Op;
using Node = NumericTree::Node;
using fastops::Binary;
using fastops::BinaryOp;
using fastops::Unary;
using fastops::UnaryOp;
using kernels::kOk;

// ---------------------------------------------------------------------------------------------------
// Code

class Generator {
 public:
  explicit Generator(const NumericTree& tree) : nodes_(tree.nodes) {}

  void Emit(int op, double k = 0, const double* p = nullptr, const double* q = nullptr) {
    steps_.push_back({static_cast<Op>(op), k, p, q});
  }

  // Leaves the node's value in the accumulator, the previous accumulator pushed below it.
  void Generate(int index) {
    const Node& n = nodes_[index];
    if (NumericTree::IsLeaf(n)) {
      if (n.variable) return Emit(Op::PushV, 0, n.p);
      return Emit(Op::PushK, n.k);
    }
    if (n.code == sym::Iif) {
      for (int i = 0; i < 3; ++i) Generate(n.child[i]);
      return Emit(Op::Iif);
    }
    if (n.children == 1) {
      int op = n.code == NumericTree::kSquare ? Op::Square : UnaryOp(n.code);
      if (op == Op::Negate && n.kind == NumericTree::Kind::Integer) op = Op::NegateInteger;
      const Node& x = nodes_[n.child[0]];
      if (NumericTree::IsLeaf(x) && x.variable) return Emit(op + FastProgram::kOnVar, 0, x.p);
      Generate(n.child[0]);
      return Emit(op + FastProgram::kOnAcc);
    }
    const int op = BinaryOp(n.code);
    const Node& l = nodes_[n.child[0]];
    const Node& r = nodes_[n.child[1]];
    if (NumericTree::IsLeaf(l) && NumericTree::IsLeaf(r) && (l.variable || r.variable)) {
      if (!r.variable) return Emit(op + FastProgram::kVarConst, r.k, l.p);
      if (!l.variable) return Emit(op + FastProgram::kConstVar, l.k, r.p);
      return Emit(op + FastProgram::kVarVar, 0, l.p, r.p);
    }
    if (NumericTree::IsLeaf(r)) {
      Generate(n.child[0]);
      if (r.variable) return Emit(op + FastProgram::kRightVar, 0, r.p);
      return Emit(op + FastProgram::kRightConst, r.k);
    }
    if (NumericTree::IsLeaf(l)) {
      Generate(n.child[1]);
      if (l.variable) return Emit(op + FastProgram::kLeftVar, 0, l.p);
      return Emit(op + FastProgram::kLeftConst, l.k);
    }
    Generate(n.child[0]);
    Generate(n.child[1]);
    Emit(op + FastProgram::kStack);
  }

  const std::vector<Node>& nodes_;
  std::vector<FastProgram::Step> steps_;
};

}  // namespace

std::unique_ptr<FastProgram> FastProgram::Build(const CExpression& e) {
  const std::optional<NumericTree> tree = NumericTree::Build(e);
  if (!tree) return nullptr;
  Generator g(*tree);
  g.Generate(tree->Root());
  auto program = std::make_unique<FastProgram>();
  program->steps_ = std::move(g.steps_);
  program->guards_ = tree->guards;
  program->integerResult_ = tree->integerResult;
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
