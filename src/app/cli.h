// The headless command line: subcommands that work on project and text files
// with the core alone, without a display.
//
//   segmark export-text PROJECT.sgp [--sheet N]
//   segmark import-text FILE... -o PROJECT.sgp
//   segmark import-splits FILE.lss|FILE.json|FILE.splits... -o PROJECT.sgp [--timing real|game]
//                         [--format N]
//   segmark export-csv PROJECT.sgp [--sheet N]
//   segmark export-splits PROJECT.sgp [--sheet N] -o FILE [--game TEXT] [--category TEXT]
//                         [--as splitsio]
#pragma once

// Runs the subcommand argv names and returns its exit status; -1 when argv
// names no subcommand (the window is to start instead).
int RunCli(int argc, char** argv);
