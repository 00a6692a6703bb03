#pragma once
// The object `pvk info --json` prints: the file, its model and its whole case tree.
#include <string>

class CPvkSession;

// One line of JSON, newline included.
std::string InfoJson(CPvkSession& session);
