// NumericTree: a compiled program rebuilt as a tree of numeric operations, with the type the general
// interpreter would give each node and its constant parts computed once. Both numeric forms of a
// program are generated from it: the one-value form that Value runs (FastProgram) and the form over
// arrays of values that Values runs (BlockProgram).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "expr/CExpression.h"

namespace plotara {

class NumericTree {
 public:
  // What the general interpreter's value of a node is known to be, without running it. The numeric
  // forms compute every node as a double; they may do so only where that double has the same bits as
  // the general interpreter's value (integers there never have a negative zero, for one).
  enum class Kind : uint8_t {
    Double,   // always a double, computed by the same operation
    Integer,  // always a 16-bit integer (-1, 0, 1: comparisons, logic, SGN), never a negative zero
    Exact,    // an integer or a double depending on the values, but the double value is the same
    Reject    // may differ (integer arithmetic against double arithmetic): no numeric form
  };

  // A node code of the numeric forms only: the square of its operand.
  static constexpr int16_t kSquare = -1;

  struct Node {
    int16_t code = 0;       // symbol code (or kSquare); sym::Operand for leaves
    bool variable = false;  // a leaf reading a variable
    double k = 0;           // a constant leaf's value
    const double* p = nullptr;
    int child[3] = {-1, -1, -1};
    int children = 0;
    Kind kind = Kind::Double;
  };

  // The tree of e's program, or nothing when the program needs the general interpreter (text, RND,
  // user functions, a result whose type depends on the values).
  static std::optional<NumericTree> Build(const CExpression& e);

  static bool IsLeaf(const Node& n) noexcept;

  // Nodes in the order of the program: children before parents, the result last. Folding leaves the
  // children of a folded node in place, unused.
  std::vector<Node> nodes;
  std::vector<const ExprValue*> guards;  // the variables read; each must hold a double
  bool integerResult = false;            // the general interpreter would return a 16-bit integer

  int Root() const noexcept { return static_cast<int>(nodes.size()) - 1; }

 private:
  Kind KindOf(const Node& n) const;
  void Fold(Node& n);
  void Simplify(Node& n);
};

}  // namespace plotara
