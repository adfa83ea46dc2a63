#pragma once

namespace heatnet {

// heatnet-calc --import-inp X.inp Y.TXT [...]: the whole command line, for the
// import has options of its own and no calculation. Returns the exit status.
int RunInpImportCommand(int argc, char** argv);

}  // namespace heatnet
