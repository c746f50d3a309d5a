// The random user against a real Velastro.exe, driven from this second process with window
// messages: velastro-remote random VELASTRO_EXE [--steps N] [--stream S] [--shrink-seconds T].
// It starts (and restarts) the program itself; it needs a display and a Wine prefix.
#pragma once

int RunRandomUser(int argc, char** argv);
