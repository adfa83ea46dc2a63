#include "reports/inp_export.h"
