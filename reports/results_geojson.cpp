#include "reports/results_geojson.h"
