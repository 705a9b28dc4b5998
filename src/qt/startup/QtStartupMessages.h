#pragma once
// Qt's own start-up messages ("XDG_RUNTIME_DIR not set", platform plugin and font notes) mean
// nothing to a user and stay off the terminal in normal runs: they are held back and shown only
// when Qt then fails for good, so that a failure still explains itself. With GLIMMERFRAME_TRACE
// set every message goes through as it comes.
namespace gf {

void HoldBackQtMessages();

} // namespace gf
