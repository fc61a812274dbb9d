#pragma once

// Every hook interface of the model, for the code that implements or
// installs them all (the program's start-up, tests of the set).

#include "model/base/ModelUI.h"
#include "model/fe/ParameterSet.h"
#include "model/groundwater/GWGrid.h"
#include "model/loads/HeatpumpDialogs.h"
#include "model/mesh/TriangleComp.h"
#include "model/model/ThermModelDialogs.h"
#include "model/monitoring/MonitoringList.h"
#include "model/probes/BHEDialogs.h"
#include "model/project/ProjectDialogs.h"
#include "model/run/RunDisplay.h"
#include "model/settings/FontDialogs.h"
#include "model/settings/SettingsDialogs.h"
#include "model/time/TimeEngineObj.h"
