#include "data/inp_file.h"
