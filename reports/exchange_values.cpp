#include "reports/exchange_values.h"
