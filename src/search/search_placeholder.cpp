// Replaced by the search engine.
