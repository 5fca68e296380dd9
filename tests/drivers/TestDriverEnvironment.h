#pragma once

// Environment variables of the stand-in board-driver libraries.

// The card count GetNumCards reports, read once; 3 when unset or not a whole number.
inline constexpr char CardCountVariable[] = "HALVEX_TEST_CARDS";

// Each stand-in appends the path it was loaded from (separated by ':') when the loader runs its
// initialisers, so a test can tell which stand-ins, if any, got to run code in the process.
inline constexpr char LoadedFromVariable[] = "HALVEX_TEST_LOADED_FROM";
