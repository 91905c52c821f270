// Replaced by the analysis sources.
