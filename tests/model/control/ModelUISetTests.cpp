// The model's user-interface hooks as one set: installing the set installs
// every hook, the scope restores the previous ones, and every hook that the
// model's sources use is a member of the set.

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>

#include "ControlTestUtil.h"
#include "model/control/ModelUIHooks.h"

#include <memory>
#include <type_traits>
#include <vector>

using namespace controltest;

namespace {

TEST(ModelUISet, InstallingTheSetInstallsEveryHook)
{
    TModelUISet set;
    std::vector<std::shared_ptr<void>> owned;
    TModelUISet::ForEachSlot(set, [&](const char*, auto*& Slot) {
        using I = std::remove_pointer_t<std::remove_reference_t<decltype(Slot)>>;
        auto impl = std::make_shared<I>();
        Slot = impl.get();
        owned.push_back(impl);
    });
    const TModelUISet before = TModelUISet::Installed();
    {
        const TModelUISetScope scope(set);
        int checked = 0;
        TModelUISet::ForEachSlot(set, [&](const char* Name, auto* Slot) {
            using I = std::remove_pointer_t<decltype(Slot)>;
            EXPECT_EQ(TModelHooks<I>::Installed(), Slot) << Name;
            EXPECT_EQ(&ModelUI<I>(), Slot) << Name;
            ++checked;
        });
        EXPECT_EQ(checked, TModelUISet::HookNames().size());

        // A set with empty members puts the headless defaults back.
        const TModelUISetScope headless{TModelUISet()};
        TModelUISet::ForEachSlot(set, [&](const char* Name, auto* Slot) {
            using I = std::remove_pointer_t<decltype(Slot)>;
            EXPECT_EQ(TModelHooks<I>::Installed(), nullptr) << Name;
            EXPECT_NE(&ModelUI<I>(), Slot) << Name;
        });
    }
    TModelUISet::ForEachSlot(before, [&](const char* Name, auto* Slot) {
        using I = std::remove_pointer_t<decltype(Slot)>;
        EXPECT_EQ(TModelHooks<I>::Installed(), Slot) << Name;
    });
}

TEST(ModelUISet, TheSetNamesEveryHookOfTheModel)
{
    // Hooks the model calls or installs, and hook interfaces it declares.
    const QRegularExpression used(
        QStringLiteral(R"((?:ModelUI|TModelHooks|TModelUIScope|InstallModelUI)\s*<\s*(T\w+)\s*>)"));
    const QRegularExpression declared(
        QStringLiteral(R"(\bclass\s+(T\w+(?:Dialogs|Hooks|Display|Prompts|Window))\s*\{)"));
    QSet<QString> found;
    int files = 0;
    for (QDirIterator it(QStringLiteral(KP_MODEL_SOURCE_DIR),
                         {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        const QString text = QString::fromUtf8(f.readAll());
        ++files;
        for (const QRegularExpression* re : {&used, &declared})
            for (auto m = re->globalMatch(text); m.hasNext();) found.insert(m.next().captured(1));
    }
    ASSERT_GT(files, 50);
    found.remove(QStringLiteral("TModelHooks"));
    const QStringList names = TModelUISet::HookNames();
    for (const QString& hook : found)
        EXPECT_TRUE(names.contains(hook)) << hook.toStdString() << " is not in the set";
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size());
    EXPECT_GE(found.size(), 12);
}

} // namespace
