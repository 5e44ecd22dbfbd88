// The program's resources: its dialog templates, strings and icon.
#pragma once

#include "platform/resources.h"

extern const ResourceTable kPlexoraResources;
