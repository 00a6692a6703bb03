#pragma once
// The board component codes of the result file records; the arithmetic lives below the
// records so that results and the session can use it without the file format.
#include "core/PCBCode.h"
