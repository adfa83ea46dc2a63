#include "cli/exchange_output.h"
