// Placeholder until the sample installation exists.
