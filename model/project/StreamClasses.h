#pragma once

// Registers every stored class of the program with the stream class registry,
// in the order of the registry table. Called once at start-up (and by tests)
// before any project file is read.
void RegisterStreamClasses();
