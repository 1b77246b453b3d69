// A failed invariant ends the fuzzing run with a message and a crash input.

#ifndef TESTS_FUZZ_FUZZ_CHECK_H_
#define TESTS_FUZZ_FUZZ_CHECK_H_

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, message)                                      \
  do {                                                                      \
    if (!(condition)) {                                                     \
      std::fprintf(stderr, "%s:%d: %s (%s)\n", __FILE__, __LINE__, message, \
                   #condition);                                             \
      std::abort();                                                         \
    }                                                                       \
  } while (false)

#endif  // TESTS_FUZZ_FUZZ_CHECK_H_
