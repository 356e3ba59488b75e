// Finish against the simulated gateway
