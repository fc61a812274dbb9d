#include "model/control/ModelUISet.h"

#include "model/control/ModelUIHooks.h"

#include <type_traits>

QStringList TModelUISet::HookNames()
{
    QStringList names;
    TModelUISet set;
    ForEachSlot(set, [&](const char* Name, auto&) { names << QString::fromLatin1(Name); });
    return names;
}

TModelUISet TModelUISet::Installed()
{
    TModelUISet set;
    ForEachSlot(set, [](const char*, auto*& Slot) {
        using I = std::remove_pointer_t<std::remove_reference_t<decltype(Slot)>>;
        Slot = TModelHooks<I>::Installed();
    });
    return set;
}

void InstallModelUISet(const TModelUISet& Set)
{
    TModelUISet::ForEachSlot(Set, [](const char*, auto* const& Impl) { InstallModelUI(Impl); });
}

TModelUISetScope::TModelUISetScope(const TModelUISet& Set) : FOld(TModelUISet::Installed())
{
    InstallModelUISet(Set);
}

TModelUISetScope::~TModelUISetScope()
{
    InstallModelUISet(FOld);
}
