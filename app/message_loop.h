#pragma once
// The program's one message loop.

namespace qm {

// Runs until the quit message; returns its exit code.
int RunMessageLoop();

} // namespace qm
