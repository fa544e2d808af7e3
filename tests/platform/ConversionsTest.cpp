#include "platform/Conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/ErrorGuard.h"
#include "platform/RuntimeError.h"
#include "support/Errors.h"

namespace plotara {
namespace {

constexpr int kOverflow = -1;  // marks a row that must raise error 6

TEST(Conversions, IntegersRoundHalfToEvenAndOverflowWithSix) {
  struct Row {
    double in;
    int int16;  // kOverflow: raises 6
    long long int32;
    int byte;
  };
  const Row rows[] = {
      {2.5, 2, 2, 2},
      {3.5, 4, 4, 4},
      {-2.5, -2, -2, kOverflow},
      {0.49, 0, 0, 0},
      {-0.5, 0, 0, 0},
      {255.5, 256, 256, kOverflow},
      {254.5, 254, 254, 254},
      {32767.49, 32767, 32767, kOverflow},
      {32767.5, kOverflow, 32768, kOverflow},
      {-32768.5, -32768, -32768, kOverflow},
      {-32769, kOverflow, -32769, kOverflow},
      {2147483647.4, kOverflow, 2147483647, kOverflow},
      {2147483647.5, kOverflow, kOverflow, kOverflow},
      {std::nan(""), kOverflow, kOverflow, kOverflow},
      {std::numeric_limits<double>::infinity(), kOverflow, kOverflow, kOverflow},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.in);
    if (r.int16 == kOverflow) {
      EXPECT_EQ(test::ErrorNumberOf([&] { CInt(r.in); }), err::Overflow);
    } else {
      EXPECT_EQ(CInt(r.in), r.int16);
    }
    if (r.int32 == kOverflow) {
      EXPECT_EQ(test::ErrorNumberOf([&] { CLng(r.in); }), err::Overflow);
    } else {
      EXPECT_EQ(CLng(r.in), r.int32);
    }
    if (r.byte == kOverflow) {
      EXPECT_EQ(test::ErrorNumberOf([&] { CByte(r.in); }), err::Overflow);
    } else {
      EXPECT_EQ(CByte(r.in), r.byte);
    }
  }
}

TEST(Conversions, SingleOverflowsOnlyForFiniteValuesBeyondItsRange) {
  EXPECT_EQ(test::ErrorNumberOf([] { CSng(1e39); }), err::Overflow);
  EXPECT_FLOAT_EQ(CSng(0.1), 0.1f);
  EXPECT_TRUE(std::isinf(CSng(std::numeric_limits<double>::infinity())));
}

TEST(Conversions, CountsAndDivisionRaiseTheRunTimeErrors) {
  EXPECT_EQ(AddInt16(32766, 1), 32767);
  EXPECT_EQ(test::ErrorNumberOf([] { AddInt16(32767, 1); }), err::Overflow);
  EXPECT_EQ(test::ErrorNumberOf([] { CheckedDivide(1, 0); }), err::DivisionByZero);
  EXPECT_EQ(CheckedDivide(1, 4), 0.25);
}

TEST(RuntimeError, StandardTexts) {
  EXPECT_EQ(ErrorText(5), "Invalid procedure call or argument");
  EXPECT_EQ(ErrorText(6), "Overflow");
  EXPECT_EQ(ErrorText(7), "Out of memory");
  EXPECT_EQ(ErrorText(9), "Subscript out of range");
  EXPECT_EQ(ErrorText(11), "Division by zero");
  EXPECT_EQ(ErrorText(13), "Type mismatch");
  EXPECT_EQ(ErrorText(94), "Invalid use of Null");
  EXPECT_EQ(ErrorText(12345), "Application-defined or object-defined error");
}

struct Recorder : ErrorReporter {
  std::string routine;
  int number = 0;
  void ReportError(std::string_view r, int n) noexcept override {
    routine = r;
    number = n;
  }
};

TEST(ErrorGuard, ReportsWhatTheBodyThrowsUnderTheRoutineName) {
  struct Row {
    std::function<void()> body;
    int number;
  };
  const Row rows[] = {
      {[] { Raise(err::SubscriptOutOfRange); }, 9},
      {[] { throw std::bad_alloc(); }, 7},
      {[] { throw std::runtime_error("x"); }, 5},
      {[] { throw 42; }, 5},
  };
  for (const Row& r : rows) {
    Recorder rec;
    EXPECT_FALSE(Guarded(rec, "DrawGraph", r.body));
    EXPECT_EQ(rec.routine, "DrawGraph");
    EXPECT_EQ(rec.number, r.number);
  }
  Recorder rec;
  EXPECT_TRUE(Guarded(rec, "DrawGraph", [] {}));
  EXPECT_EQ(rec.number, 0);
}

}  // namespace
}  // namespace plotara
