#pragma once
// Runs a piece of work that may wait on something outside the program (a
// save that waits while another program holds the file) on a thread of its
// own, while the window's thread goes on with its events: the window keeps
// painting. Returns when the work has ended; an error escaping the work is
// thrown again here, on the window's thread, so that the operation that ran
// it ends as it would have. The caller keeps the window's input blocked
// meanwhile (an operation runs: what the operator types is dropped, as
// during any operation), and the work must not touch anything the window's
// thread uses.

#include <functional>

namespace tarnvik {

void RunOffThread(const std::function<void()>& work);

}  // namespace tarnvik
