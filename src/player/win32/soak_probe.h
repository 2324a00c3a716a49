// A test hook for long runs of the show, out of the user's way: it does
// nothing unless the environment variable SLIDESHOW_TEST_SOAK is set, to
// "DIVISOR;LOGFILE". Then the show's timers run DIVISOR times faster (a day of
// slides passes in an hour or two) and each new slide appends one line to
// LOGFILE with what the process holds:
//   slide=N ms=TICKS gdi=G user=U ws=BYTES peak=BYTES private=BYTES
// G and U are the counts of GDI and USER objects (where the system does not
// report them, as under Wine, G is found by asking for every GDI handle index
// and U counts the process's windows and menus); TICKS is the system's
// millisecond count; ws, peak and private are the
// working set, its peak and the private (committed) bytes.
#pragma once

#include <cstdint>
#include <string>

namespace player {

class SoakProbe {
 public:
  SoakProbe();  // reads the environment once

  bool Active() const { return divisor_ > 0; }
  // A timer interval as the show runs it: divided while soaking, at least 1 ms.
  uint32_t Interval(uint32_t ms) const;
  // A slide starts: one line into the log.
  void SlideStarted();

 private:
  uint32_t divisor_ = 0;
  std::wstring log_;
  uint64_t slides_ = 0;
};

}  // namespace player
