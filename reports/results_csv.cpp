#include "reports/results_csv.h"
