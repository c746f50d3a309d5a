// velastro-cli's exit statuses, the same for every subcommand.
#pragma once

constexpr int kExitOk = 0;
constexpr int kExitEngineError = 1;  // some formula reported an error text
constexpr int kExitUsage = 2;        // bad arguments, or a formula file that cannot be opened
constexpr int kExitInputOutput = 3;  // a read or write failed, or an input was too long or too big
