#include "model/loads/LoadStreamClasses.h"

#include "model/loads/HeatpumpObj.h"
#include "model/loads/LoadObject.h"

void RegisterLoadStreamClasses()
{
    RegisterStreamClass<THeatpump>();
    RegisterStreamClass<TPowerPoint>();
    RegisterStreamClass<TLoadPoint>();
    RegisterStreamClass<THeatCoolLoad>();
    RegisterStreamListClass<TLoadObj>();
}
