#pragma once

namespace heatnet {}
