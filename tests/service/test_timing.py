"""End-to-end tests of the timing engine through the real service (filled in below)."""
