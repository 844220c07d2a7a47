#pragma once

/// Runs the program as edition \a editionNumber (1 to 4) and returns its exit code.
int runApplication(int argc, char **argv, int editionNumber);
