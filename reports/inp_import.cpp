#include "reports/inp_import.h"
