#pragma once

// Checks a failure by its kind, and its message where one is given, in one
// line, as {fmt}'s EXPECT_THROW_MSG does:
//   EXPECT_FAILURE(Rate(texts), FailureKind::DivisionByZero);
//   EXPECT_FAILURE_MSG(Open(""), FailureKind::FileCreate, "Cannot create rating file \"\": ...");

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "engine/failure.h"

namespace rating::testing_support {

// The failure `provoke` throws, or nothing when it throws none.
template <typename Failure = RatingFailure, typename Provoke>
std::optional<Failure> FailureOf(Provoke&& provoke) {
  try {
    provoke();
  } catch (const Failure& failure) {
    return failure;
  }
  return std::nullopt;
}

}  // namespace rating::testing_support

#define EXPECT_FAILURE(statement, expectedKind)                                            \
  do {                                                                                     \
    const auto rating_failure_ = ::rating::testing_support::FailureOf([&] { statement; }); \
    ASSERT_TRUE(rating_failure_.has_value()) << #statement " threw no RatingFailure";      \
    EXPECT_EQ(rating_failure_->Kind(), expectedKind) << rating_failure_->what();           \
  } while (false)

#define EXPECT_FAILURE_MSG(statement, expectedKind, expectedMessage)                       \
  do {                                                                                     \
    const auto rating_failure_ = ::rating::testing_support::FailureOf([&] { statement; }); \
    ASSERT_TRUE(rating_failure_.has_value()) << #statement " threw no RatingFailure";      \
    EXPECT_EQ(rating_failure_->Kind(), expectedKind);                                      \
    EXPECT_EQ(std::string(rating_failure_->what()), expectedMessage);                      \
  } while (false)
