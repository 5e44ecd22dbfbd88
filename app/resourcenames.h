// The names of resource.h's ids, for scenario scripts (`click IDC_PROCESS`).
#pragma once

#include <span>

#include "platform/headless/namedid.h"

extern const std::span<const NamedId> kResourceNames;
