"""Generators for the show's 36 pictures."""
