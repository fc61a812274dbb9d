#include "model/project/StreamClasses.h"

#include "model/contours/MVContourObj.h"
#include "model/fe/NumElements.h"
#include "model/loads/LoadStreamClasses.h"
#include "model/model/MainModelObj.h"
#include "model/monitoring/Monitoring.h"
#include "model/probes/BHEObj.h"
#include "model/time/TimelineDataObj.h"

void RegisterStreamClasses()
{
    RegisterFEStreamClasses();
    RegisterProbeStreamClasses();
    RegisterContourStreamClasses();
    RegisterLoadStreamClasses();
    RegisterMonitoringStreamClasses();
    RegisterTimeStreamClasses();
    RegisterThermModelStreamClasses();
}
