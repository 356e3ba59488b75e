// Ending a simulator cleanly: SIGTERM and SIGINT write a byte into a pipe that the serving loops
// poll beside their port, so no signal slips in between a check of a flag and the next poll().
#pragma once

namespace gatewaysim {

// Installs the handlers (and ignores SIGPIPE, so a test that stops reading our stdout does not
// kill the simulator). Returns the pipe's read end, readable once a stop was asked for. Throws
// std::runtime_error when the pipe cannot be made.
int InstallStopHandlers();

}  // namespace gatewaysim
